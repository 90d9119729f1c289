#include "util/LargeBlock.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {
constexpr size_t HugePage = size_t(2) << 20;
} // namespace

void LargeBlockFree::operator()(void *block) const
{
    std::free(block);
}

std::unique_ptr<void, LargeBlockFree> AllocateLargeBlock(size_t bytes)
{
    void *block = nullptr;
    if (bytes >= HugePage) {
        block = std::aligned_alloc(HugePage, (bytes + HugePage - 1) / HugePage * HugePage);
        // Only advice: where huge pages are not offered the block works all the same.
        if (block)
            madvise(block, bytes, MADV_HUGEPAGE);
    } else {
        block = std::malloc(bytes ? bytes : 1);
    }
    if (!block)
        throw std::bad_alloc();
    return std::unique_ptr<void, LargeBlockFree>(block);
}
