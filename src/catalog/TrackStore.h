#pragma once
// Owns the catalog's track records. Records live in large blocks, a million of them in a few
// dozen allocations, and every record keeps one slot number for its whole life, so that the key
// index can name it in four bytes and find it without a table in between. A released record is
// emptied and its slot given to a later record.

#include "catalog/TSong.h"
#include "util/LargeBlock.h"

#include <cstdint>
#include <memory>
#include <vector>

class TrackStore {
public:
    TrackStore() = default;
    TrackStore(const TrackStore &) = delete;
    TrackStore &operator=(const TrackStore &) = delete;
    ~TrackStore() { clear(); }

    // A new empty record.
    TSong *create();
    // A new record that takes over the content of song.
    TSong *add(std::unique_ptr<TSong> song);
    // Backs one more block of memory for new records when there is none yet for the next
    // `records`, so that making them later does not wait for the system to clear pages; true when
    // it did. A helper thread's work beside a load.
    bool prepare(size_t records);
    // Gives back the blocks that prepare() backed and no record took.
    void dropPrepared();
    // Empties the record; its slot is given to a later record.
    void release(const TSong *song);
    void clear();

    TSong *at(uint32_t slot) const
    {
        return static_cast<TSong *>(blocks_[slot / BlockRecords].get()) + slot % BlockRecords;
    }
    static uint32_t slotOf(const TSong *song) { return song->storeSlot_; }

private:
    static constexpr size_t BlockBytes = size_t(2) << 20;
    static constexpr uint32_t BlockRecords = BlockBytes / sizeof(TSong);

    std::vector<std::unique_ptr<void, LargeBlockFree>> blocks_;
    uint32_t used_ = 0;  // slots [0, used_) hold records, empty ones among them
    std::vector<uint32_t> free_;
};
