#pragma once
// Owns the catalog's track records. Every record keeps one slot number for its whole life, so
// that the key index can name it in four bytes; the slots of released records are reused.

#include "catalog/TSong.h"

#include <cstdint>
#include <memory>
#include <vector>

class TrackStore {
public:
    TSong *add(std::unique_ptr<TSong> song);
    // Frees the record; its slot is given to a later record.
    void release(const TSong *song);
    void clear();

    TSong *at(uint32_t slot) const { return slots_[slot].get(); }
    static uint32_t slotOf(const TSong *song) { return song->storeSlot_; }

private:
    std::vector<std::unique_ptr<TSong>> slots_;
    std::vector<uint32_t> free_;
};
