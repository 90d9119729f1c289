#pragma once
// Memory for large tables that are read at random (the catalog's records and its key index):
// aligned to 2 MiB and offered to the system for huge pages, so that a look-up in a catalog of a
// million tracks misses the address cache less often, and new memory costs one page fault per
// 2 MiB instead of 512. Small blocks are plain allocations.

#include <cstddef>
#include <memory>

struct LargeBlockFree {
    void operator()(void *block) const;
};

// Uninitialised bytes; throws std::bad_alloc when there is no memory. A backed block of 2 MiB or
// more has its pages from the system at once: the calling thread pays for clearing them, not the
// first one to write, so a helper thread can make memory ready for another one's work.
std::unique_ptr<void, LargeBlockFree> AllocateLargeBlock(size_t bytes, bool backed = false);

// Offers the whole 2 MiB pages within [data, data + bytes) for huge pages and has the system back
// every page there at once, leaving the bytes as they are: for a large buffer of a container.
void BackLargeBuffer(void *data, size_t bytes);
