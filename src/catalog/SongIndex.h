#pragma once
// The key index: CD key (CD ID, tab, file name) to track record, keys compared without regard to
// letter case. One entry per key: adding a key that is present makes its entry refer to the new
// record. Look-ups hash the case-folded key, so they cost the same for any catalog size.

#include "catalog/TSong.h"

#include <string>
#include <string_view>
#include <cstdint>
#include <vector>

class SongIndex {
public:
    void add(TSong *song);
    // Adds many records in order; for equal keys the last one wins, as with add().
    void addAll(const std::vector<TSong *> &songs);
    TSong *find(const ShortStr &cdKey) const;
    // Removes the entry that refers to song, if there is one.
    void remove(const TSong *song);
    // Removes the entries that refer to any of songs, in one pass over the index.
    void removeAll(const std::vector<TSong *> &songs);
    void clear() { entries_.clear(); }
    int count() const { return static_cast<int>(entries_.size()); }

private:
    struct Entry {
        uint64_t hash;
        TSong *song;
    };
    // The key without letter case, as UTF-8.
    static std::string Folded(std::string_view utf8);
    static std::string KeyOf(const TSong *song);
    static uint64_t Hash(const std::string &folded);
    std::vector<Entry>::iterator firstWithHash(uint64_t hash);

    std::vector<Entry> entries_;  // ordered by hash
};
