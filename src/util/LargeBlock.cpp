#include "util/LargeBlock.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace {
constexpr size_t HugePage = size_t(2) << 20;

// Only advice: where huge pages are not offered, or the system does not know the advice to back
// pages at once (before Linux 5.14), memory works all the same.
void Advise(void *block, size_t bytes, bool backed)
{
    madvise(block, bytes, MADV_HUGEPAGE);
    if (backed)
        madvise(block, bytes, MADV_POPULATE_WRITE);
}
} // namespace

void LargeBlockFree::operator()(void *block) const
{
    std::free(block);
}

std::unique_ptr<void, LargeBlockFree> AllocateLargeBlock(size_t bytes, bool backed)
{
    void *block = nullptr;
    if (bytes >= HugePage) {
        bytes = (bytes + HugePage - 1) / HugePage * HugePage;
        block = std::aligned_alloc(HugePage, bytes);
        if (block)
            Advise(block, bytes, backed);
    } else {
        block = std::malloc(bytes ? bytes : 1);
    }
    if (!block)
        throw std::bad_alloc();
    return std::unique_ptr<void, LargeBlockFree>(block);
}

void BackLargeBuffer(void *data, size_t bytes)
{
    // Advice is given for whole pages only.
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<uintptr_t>(data);
    const uintptr_t from = (begin + page - 1) / page * page, to = (begin + bytes) / page * page;
    if (from < to)
        Advise(reinterpret_cast<void *>(from), to - from, true);
}
