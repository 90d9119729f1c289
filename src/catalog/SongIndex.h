#pragma once
// The key index: CD key (CD ID, tab, file name) to track record, keys compared without regard to
// letter case. One entry per key: adding a key that is present makes its entry refer to the new
// record. An open-addressing hash table on the case-folded key: adding, removing and finding a
// record cost the same for any catalog size, so adding a batch costs O(batch). An entry is eight
// bytes: part of the key's hash and the record's slot in the store that owns the records.

#include "catalog/TrackStore.h"
#include "util/LargeBlock.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class SongIndex {
public:
    // store: owns every record added here, and outlives the index.
    explicit SongIndex(const TrackStore &store) : store_(store) {}

    void add(TSong *song);
    // Adds the records songs[from...] in order; for equal keys the last one wins, as with add().
    void addAll(const std::vector<TSong *> &songs, size_t from = 0);
    // The key as valid UTF-8, cut to a short string's 255 characters like any key: a selection
    // file is looked up line by line without decoding.
    TSong *find(std::string_view cdKeyUtf8) const;
    // Removes the entry that refers to song, if there is one.
    void remove(const TSong *song);
    void removeAll(const std::vector<TSong *> &songs);
    // Room for n records without growing: each growth moves every entry.
    void reserve(size_t n);
    void clear();
    int count() const { return static_cast<int>(count_); }

private:
    struct Entry {
        uint32_t hash;
        uint32_t slot;  // the record's store slot + 1; 0: a free entry
    };
    // The record's key without letter case, into a buffer that the caller reuses.
    static void FoldedKeyOf(const TSong *song, std::string &out);
    // Whether the record's key, folded, is `folded`; builds nothing for a key of ASCII only.
    static bool KeyIs(const TSong *song, std::string_view folded);
    // Whether the record's key is `key` byte for byte.
    static bool KeyBytesAre(const TSong *song, std::string_view key);
    static uint32_t Hash(std::string_view folded);
    TSong *songAt(const Entry &e) const { return store_.at(e.slot - 1); }
    size_t mask() const { return size_ - 1; }
    void insert(std::string_view key, uint32_t hash, TSong *song);
    void eraseSlot(size_t slot);

    const TrackStore &store_;
    // The table: a power of two in size, or none. Look-ups land at random in it, so it is a
    // large block.
    std::unique_ptr<void, LargeBlockFree> block_;
    Entry *slots_ = nullptr;
    size_t size_ = 0;
    size_t count_ = 0;
};
