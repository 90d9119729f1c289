#include "catalog/SongIndex.h"

#include "util/Utf8.h"

#include <algorithm>
#include <functional>

void SongIndex::FoldedKeyOf(const TSong *song, std::string &out)
{
    thread_local std::string key;
    song->CDKeyUtf8(key);
    out.clear();
    AppendCaseFolded(out, key);
}

// Keys are mostly asked for as they were stored: equal bytes need no folding.
bool SongIndex::KeyBytesAre(const TSong *song, std::string_view key)
{
    const std::string_view cdid = song->CDIDUtf8();
    return key.size() > cdid.size() && key.substr(0, cdid.size()) == cdid && key[cdid.size()] == '\t'
        && key.substr(cdid.size() + 1) == song->FileNameUtf8();
}

bool SongIndex::KeyIs(const TSong *song, std::string_view folded)
{
    thread_local std::string key;
    const std::string_view parts[] = {song->CDIDUtf8(), "\t", song->FileNameUtf8()};
    const size_t length = parts[0].size() + 1 + parts[2].size();
    if (length <= ShortStr::MaxLen) {
        // ASCII folds byte by byte, and a byte that differs before any other character decides.
        size_t at = 0;
        bool ascii = true;
        for (std::string_view part : parts) {
            for (const char c : part) {
                if (static_cast<unsigned char>(c) >= 0x80) {
                    ascii = false;
                    break;
                }
                const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
                if (at == folded.size() || folded[at++] != lower)
                    return false;
            }
            if (!ascii)
                break;
        }
        if (ascii)
            return at == folded.size();
        // Short enough to need no cut: folded part by part, without the key itself.
        key.clear();
        for (std::string_view part : parts)
            AppendCaseFolded(key, part);
        return key == folded;
    }
    FoldedKeyOf(song, key);
    return key == folded;
}

uint32_t SongIndex::Hash(std::string_view folded)
{
    const uint64_t h = std::hash<std::string_view>()(folded);
    return static_cast<uint32_t>(h ^ (h >> 32));
}

void SongIndex::reserve(size_t n)
{
    size_t size = size_ == 0 ? 16 : size_;
    while (n > size / 4 * 3)
        size *= 2;
    if (size == size_)
        return;
    std::unique_ptr<void, LargeBlockFree> oldBlock = AllocateLargeBlock(size * sizeof(Entry));
    oldBlock.swap(block_);
    const Entry *old = slots_;
    const size_t oldSize = size_;
    slots_ = static_cast<Entry *>(block_.get());
    size_ = size;
    std::fill(slots_, slots_ + size_, Entry{0, 0});
    for (size_t i = 0; i < oldSize; ++i) {
        const Entry &e = old[i];
        if (!e.slot)
            continue;
        size_t slot = e.hash & mask();
        while (slots_[slot].slot)
            slot = (slot + 1) & mask();
        slots_[slot] = e;
    }
}

void SongIndex::insert(std::string_view key, uint32_t hash, TSong *song)
{
    const uint32_t storeSlot = TrackStore::slotOf(song) + 1;
    size_t slot = hash & mask();
    for (; slots_[slot].slot; slot = (slot + 1) & mask()) {
        if (slots_[slot].hash == hash && KeyIs(songAt(slots_[slot]), key)) {
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
    std::string key;
    FoldedKeyOf(song, key);
    insert(key, Hash(key), song);
}

void SongIndex::addAll(const std::vector<TSong *> &all, size_t from)
{
    TSong *const *songs = all.data() + from;
    const size_t count = all.size() - from;
    reserve(count_ + count);
    // Entries land at random in a table far larger than the cache: each key is hashed some
    // records ahead of its insert and its entry asked for, so that the insert seldom waits.
    constexpr size_t Ahead = 8;
    std::string keys[Ahead];
    uint32_t hashes[Ahead];
    for (size_t i = 0; i < count + Ahead; ++i) {
        if (i >= Ahead)
            insert(keys[i % Ahead], hashes[i % Ahead], songs[i - Ahead]);
        if (i < count) {
            FoldedKeyOf(songs[i], keys[i % Ahead]);
            hashes[i % Ahead] = Hash(keys[i % Ahead]);
            __builtin_prefetch(&slots_[hashes[i % Ahead] & mask()]);
        }
    }
}

TSong *SongIndex::find(std::string_view cdKeyUtf8) const
{
    if (count_ == 0)
        return nullptr;
    const std::string_view cut = Utf8Prefix(cdKeyUtf8, ShortStr::MaxLen);
    thread_local std::string key;
    key.clear();
    AppendCaseFolded(key, cut);
    const uint32_t hash = Hash(key);
    for (size_t slot = hash & mask(); slots_[slot].slot; slot = (slot + 1) & mask()) {
        if (slots_[slot].hash != hash)
            continue;
        TSong *song = songAt(slots_[slot]);
        if (KeyBytesAre(song, cut) || KeyIs(song, key))
            return song;
    }
    return nullptr;
}

void SongIndex::remove(const TSong *song)
{
    if (count_ == 0)
        return;
    std::string key;
    FoldedKeyOf(song, key);
    const uint32_t hash = Hash(key);
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
    block_.reset();
    slots_ = nullptr;
    size_ = 0;
    count_ = 0;
}
