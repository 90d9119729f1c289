#pragma once
// Memory for large tables that are read at random (the catalog's records and its key index):
// aligned to 2 MiB and offered to the system for huge pages, so that a look-up in a catalog of a
// million tracks misses the address cache less often. Small blocks are plain allocations.

#include <cstddef>
#include <memory>

struct LargeBlockFree {
    void operator()(void *block) const;
};

// Uninitialised bytes; throws std::bad_alloc when there is no memory.
std::unique_ptr<void, LargeBlockFree> AllocateLargeBlock(size_t bytes);
