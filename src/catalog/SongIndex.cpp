#include "catalog/SongIndex.h"

#include <QString>
#include <functional>
#include <algorithm>
#include <unordered_set>

std::string SongIndex::Folded(std::string_view utf8)
{
    std::string out(utf8);
    bool ascii = true;
    for (char &c : out) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
    }
    if (!ascii)
        out = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toCaseFolded().toStdString();
    return out;
}

std::string SongIndex::KeyOf(const TSong *song)
{
    std::string key;
    song->CDKeyUtf8(key);
    return Folded(key);
}

uint64_t SongIndex::Hash(const std::string &folded)
{
    return std::hash<std::string>()(folded);
}

std::vector<SongIndex::Entry>::iterator SongIndex::firstWithHash(uint64_t hash)
{
    return std::lower_bound(entries_.begin(), entries_.end(), hash,
                            [](const Entry &e, uint64_t h) { return e.hash < h; });
}

void SongIndex::add(TSong *song)
{
    const std::string key = KeyOf(song);
    const uint64_t hash = Hash(key);
    auto it = firstWithHash(hash);
    for (auto e = it; e != entries_.end() && e->hash == hash; ++e) {
        if (KeyOf(e->song) == key) {
            e->song = song;
            return;
        }
    }
    entries_.insert(it, Entry{hash, song});
}

void SongIndex::addAll(const std::vector<TSong *> &songs)
{
    if (entries_.empty()) {
        // Bulk path: hash everything, sort once, then fold equal keys onto the last record.
        std::vector<Entry> all;
        all.reserve(songs.size());
        for (TSong *s : songs)
            all.push_back(Entry{Hash(KeyOf(s)), s});
        std::stable_sort(all.begin(), all.end(), [](const Entry &a, const Entry &b) { return a.hash < b.hash; });
        entries_.reserve(all.size());
        for (size_t i = 0; i < all.size();) {
            size_t end = i;
            while (end < all.size() && all[end].hash == all[i].hash)
                ++end;
            if (end - i == 1) {
                entries_.push_back(all[i]);
            } else {
                const size_t runStart = entries_.size();
                for (size_t k = i; k < end; ++k) {
                    const std::string key = KeyOf(all[k].song);
                    auto same = std::find_if(entries_.begin() + runStart, entries_.end(),
                                             [&](const Entry &e) { return KeyOf(e.song) == key; });
                    if (same != entries_.end())
                        same->song = all[k].song;
                    else
                        entries_.push_back(all[k]);
                }
            }
            i = end;
        }
        return;
    }
    for (TSong *s : songs)
        add(s);
}

TSong *SongIndex::find(const ShortStr &cdKey) const
{
    const std::string key = Folded(cdKey.toUtf8());
    const uint64_t hash = Hash(key);
    auto it = std::lower_bound(entries_.begin(), entries_.end(), hash,
                               [](const Entry &e, uint64_t h) { return e.hash < h; });
    for (; it != entries_.end() && it->hash == hash; ++it)
        if (KeyOf(it->song) == key)
            return it->song;
    return nullptr;
}

void SongIndex::remove(const TSong *song)
{
    const uint64_t hash = Hash(KeyOf(song));
    for (auto it = firstWithHash(hash); it != entries_.end() && it->hash == hash; ++it) {
        if (it->song == song) {
            entries_.erase(it);
            return;
        }
    }
}

void SongIndex::removeAll(const std::vector<TSong *> &songs)
{
    const std::unordered_set<const TSong *> gone(songs.begin(), songs.end());
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [&](const Entry &e) { return gone.count(e.song) > 0; }),
                   entries_.end());
}
