#include "catalog/TrackStore.h"

#include <new>

TSong *TrackStore::create()
{
    if (!free_.empty()) {
        TSong *t = at(free_.back());
        free_.pop_back();
        return t;
    }
    if (used_ == blocks_.size() * BlockRecords)
        blocks_.push_back(AllocateLargeBlock(BlockBytes));
    TSong *t = new (at(used_)) TSong();
    t->storeSlot_ = used_++;
    return t;
}

TSong *TrackStore::add(std::unique_ptr<TSong> song)
{
    TSong *t = create();
    const uint32_t slot = t->storeSlot_;
    *t = std::move(*song);
    t->storeSlot_ = slot;
    return t;
}

bool TrackStore::prepare(size_t records)
{
    if (blocks_.size() * BlockRecords >= used_ + records)
        return false;
    blocks_.push_back(AllocateLargeBlock(BlockBytes, true));
    return true;
}

void TrackStore::dropPrepared()
{
    while (!blocks_.empty() && (blocks_.size() - 1) * BlockRecords >= used_)
        blocks_.pop_back();
}

void TrackStore::release(const TSong *song)
{
    const uint32_t slot = song->storeSlot_;
    TSong *t = at(slot);
    *t = TSong();
    t->storeSlot_ = slot;
    free_.push_back(slot);
}

void TrackStore::clear()
{
    for (uint32_t slot = 0; slot < used_; ++slot)
        at(slot)->~TSong();
    used_ = 0;
    blocks_.clear();
    blocks_.shrink_to_fit();
    free_.clear();
    free_.shrink_to_fit();
}
