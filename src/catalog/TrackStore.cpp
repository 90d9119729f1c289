#include "catalog/TrackStore.h"

TSong *TrackStore::add(std::unique_ptr<TSong> song)
{
    TSong *t = song.get();
    if (free_.empty()) {
        t->storeSlot_ = static_cast<uint32_t>(slots_.size());
        slots_.push_back(std::move(song));
    } else {
        t->storeSlot_ = free_.back();
        free_.pop_back();
        slots_[t->storeSlot_] = std::move(song);
    }
    return t;
}

void TrackStore::release(const TSong *song)
{
    const uint32_t slot = song->storeSlot_;
    slots_[slot].reset();
    free_.push_back(slot);
}

void TrackStore::clear()
{
    slots_.clear();
    slots_.shrink_to_fit();
    free_.clear();
    free_.shrink_to_fit();
}
