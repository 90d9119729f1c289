#include "catalog/SongIndex.h"

#include <QString>
#include <functional>

std::string SongIndex::Folded(std::string_view utf8)
{
    std::string out(utf8);
    for (char &c : out) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toCaseFolded().toStdString();
        if (c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
    }
    return out;
}

std::string SongIndex::KeyOf(const TSong *song)
{
    std::string key;
    song->CDKeyUtf8(key);
    return Folded(key);
}

uint32_t SongIndex::Hash(const std::string &folded)
{
    const uint64_t h = std::hash<std::string>()(folded);
    return static_cast<uint32_t>(h ^ (h >> 32));
}

void SongIndex::reserve(size_t n)
{
    size_t size = slots_.empty() ? 16 : slots_.size();
    while (n > size / 4 * 3)
        size *= 2;
    if (size == slots_.size())
        return;
    std::vector<Entry> old(size, Entry{0, 0});
    old.swap(slots_);
    for (const Entry &e : old) {
        if (!e.slot)
            continue;
        size_t slot = e.hash & mask();
        while (slots_[slot].slot)
            slot = (slot + 1) & mask();
        slots_[slot] = e;
    }
}

void SongIndex::insert(uint32_t hash, const std::string &key, TSong *song)
{
    const uint32_t storeSlot = TrackStore::slotOf(song) + 1;
    size_t slot = hash & mask();
    for (; slots_[slot].slot; slot = (slot + 1) & mask()) {
        if (slots_[slot].hash == hash && KeyOf(songAt(slots_[slot])) == key) {
            slots_[slot].slot = storeSlot;
            return;
        }
    }
    slots_[slot] = Entry{hash, storeSlot};
    ++count_;
}

void SongIndex::add(TSong *song)
{
    reserve(count_ + 1);
    const std::string key = KeyOf(song);
    insert(Hash(key), key, song);
}

void SongIndex::addAll(const std::vector<TSong *> &songs)
{
    reserve(count_ + songs.size());
    for (TSong *s : songs) {
        const std::string key = KeyOf(s);
        insert(Hash(key), key, s);
    }
}

TSong *SongIndex::find(const ShortStr &cdKey) const
{
    if (count_ == 0)
        return nullptr;
    const std::string key = Folded(cdKey.toUtf8());
    const uint32_t hash = Hash(key);
    for (size_t slot = hash & mask(); slots_[slot].slot; slot = (slot + 1) & mask())
        if (slots_[slot].hash == hash && KeyOf(songAt(slots_[slot])) == key)
            return songAt(slots_[slot]);
    return nullptr;
}

void SongIndex::remove(const TSong *song)
{
    if (count_ == 0)
        return;
    const uint32_t hash = Hash(KeyOf(song));
    const uint32_t storeSlot = TrackStore::slotOf(song) + 1;
    for (size_t slot = hash & mask(); slots_[slot].slot; slot = (slot + 1) & mask()) {
        if (slots_[slot].slot == storeSlot) {
            eraseSlot(slot);
            return;
        }
    }
}

void SongIndex::removeAll(const std::vector<TSong *> &songs)
{
    for (const TSong *s : songs)
        remove(s);
}

// Backward-shift deletion: later entries of the probe run move up, so no run is broken by a hole.
void SongIndex::eraseSlot(size_t slot)
{
    size_t hole = slot;
    for (size_t next = (hole + 1) & mask(); slots_[next].slot; next = (next + 1) & mask()) {
        const size_t home = slots_[next].hash & mask();
        // The entry may fill the hole when its home does not lie cyclically in (hole, next].
        if (((next - home) & mask()) >= ((next - hole) & mask())) {
            slots_[hole] = slots_[next];
            hole = next;
        }
    }
    slots_[hole] = Entry{0, 0};
    --count_;
}

void SongIndex::clear()
{
    slots_.clear();
    slots_.shrink_to_fit();
    count_ = 0;
}
