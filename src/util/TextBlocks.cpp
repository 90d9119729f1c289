#include "util/TextBlocks.h"

#include "util/LargeBlock.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <mutex>
#include <utility>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEMLO_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZEMLO_ASAN 1
#endif
#ifdef ZEMLO_ASAN
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#endif

namespace {
constexpr size_t ChunkBytes = size_t(2) << 20;
// Record texts stay far below this (a catalog line is at most 255 characters); anything larger
// goes to the heap.
constexpr size_t MaxPooled = 4096;
// A free block holds the link to the next free block of its size.
constexpr size_t MinBlock = sizeof(char *);

size_t BlockSize(size_t bytes)
{
    return bytes < MinBlock ? MinBlock : bytes;
}

// The stretch of a chunk that a thread carves its blocks from while a run of its lives.
struct ThreadRun {
    bool active = false;
    char *next = nullptr;
    char *end = nullptr;
    long long carved = 0;  // blocks handed out, not yet counted as live
};
thread_local ThreadRun TheRun;

class Pool {
public:
    char *allocate(size_t bytes)
    {
        const size_t size = BlockSize(bytes);
        ThreadRun &run = TheRun;
        if (run.active && size <= static_cast<size_t>(run.end - run.next)) {
            ++run.carved;
            return handOut(std::exchange(run.next, run.next + size), size, bytes);
        }
        std::lock_guard<std::mutex> lock(mutex_);
        if (run.active) {
            // A run goes on in a chunk of its own.
            run.next = newChunk();
            run.end = run.next + ChunkBytes;
            ++run.carved;
            return handOut(std::exchange(run.next, run.next + size), size, bytes);
        }
        ++live_;
        if (char *block = free_[size]) {
            ASAN_UNPOISON_MEMORY_REGION(block, size);
            std::memcpy(&free_[size], block, sizeof(char *));
            return handOut(block, size, bytes);
        }
        if (size > static_cast<size_t>(end_ - next_)) {
            next_ = newChunk();
            end_ = next_ + ChunkBytes;
        }
        return handOut(std::exchange(next_, next_ + size), size, bytes);
    }

    void beginRun()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // The rest of the current chunk is the run's to begin with.
        TheRun = ThreadRun{true, next_, end_, 0};
        next_ = end_;
        ++runs_;
    }

    void endRun()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ThreadRun &run = TheRun;
        live_ += run.carved;
        // What the run left of its chunk is carved on from where no other block came since.
        if (next_ == end_) {
            next_ = run.next;
            end_ = run.end;
        }
        run = ThreadRun{};
        if (--runs_ == 0 && live_ == 0)
            reset();
    }

    void free(char *block, size_t bytes)
    {
        const size_t size = BlockSize(bytes);
        std::lock_guard<std::mutex> lock(mutex_);
        ASAN_UNPOISON_MEMORY_REGION(block, size);
        std::memcpy(block, &free_[size], sizeof(char *));
        free_[size] = block;
        ASAN_POISON_MEMORY_REGION(block, size);
        // Blocks that a run carved are counted when it ends: until then the count may fall to
        // nothing or below while blocks are still in use.
        if (--live_ == 0 && runs_ == 0)
            reset();
    }

    bool prepare(size_t bytes)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (static_cast<size_t>(end_ - next_) + prepared_.size() * ChunkBytes >= bytes)
                return false;
        }
        // Backed outside the lock: the allocating thread goes on meanwhile.
        auto chunk = AllocateLargeBlock(ChunkBytes, true);
        ASAN_POISON_MEMORY_REGION(chunk.get(), ChunkBytes);
        std::lock_guard<std::mutex> lock(mutex_);
        prepared_.push_back(std::move(chunk));
        return true;
    }

    void dropPrepared()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        prepared_.clear();
    }

private:
    // A block of `size` bytes for `bytes` of them.
    static char *handOut(char *block, size_t size, size_t bytes)
    {
        ASAN_UNPOISON_MEMORY_REGION(block, size);
        // The bytes past the ones asked for stay out of reach for the sanitizer.
        ASAN_POISON_MEMORY_REGION(block + bytes, size - bytes);
        return block;
    }

    // A new chunk for the blocks to come, backed ahead by prepare() where it could be.
    char *newChunk()
    {
        if (prepared_.empty()) {
            chunks_.push_back(AllocateLargeBlock(ChunkBytes));
            ASAN_POISON_MEMORY_REGION(chunks_.back().get(), ChunkBytes);
        } else {
            chunks_.push_back(std::move(prepared_.back()));
            prepared_.pop_back();
        }
        return static_cast<char *>(chunks_.back().get());
    }

    // Freed blocks are handed out again last freed first, which scatters a catalog loaded after
    // another one over the chunks, and a scan of its records then misses the cache at every
    // record. Once nothing is in use (the catalog was closed) the chunks go back to the system,
    // all but the first, and the next load lays its texts out in order again. The first stays
    // so that a few records made and dropped one after another do not map and unmap a chunk.
    void reset()
    {
        prepared_.clear();
        if (chunks_.empty())
            return;
        chunks_.resize(1);
        char *const first = static_cast<char *>(chunks_.front().get());
        const bool inFirst = next_ >= first && next_ <= first + ChunkBytes;
        ASAN_POISON_MEMORY_REGION(first, inFirst ? static_cast<size_t>(next_ - first) : ChunkBytes);
        next_ = first;
        end_ = first + ChunkBytes;
        std::fill(std::begin(free_), std::end(free_), nullptr);
    }

    std::mutex mutex_;
    long long live_ = 0;
    int runs_ = 0;  // runs that live on some thread
    std::vector<std::unique_ptr<void, LargeBlockFree>> chunks_;
    std::vector<std::unique_ptr<void, LargeBlockFree>> prepared_;  // backed chunks not begun yet
    char *next_ = nullptr;
    char *end_ = nullptr;
    char *free_[MaxPooled + 1] = {};
};

Pool &ThePool()
{
    // Never destroyed: records in static storage may give their texts back after main returns.
    static Pool *pool = new Pool;
    return *pool;
}
} // namespace

char *TextBlocks::Allocate(size_t bytes)
{
    if (bytes > MaxPooled)
        return new char[bytes];
    return ThePool().allocate(bytes);
}

void TextBlocks::Free(char *block, size_t bytes)
{
    if (bytes > MaxPooled)
        delete[] block;
    else
        ThePool().free(block, bytes);
}

bool TextBlocks::Prepare(size_t bytes)
{
    return ThePool().prepare(bytes);
}

void TextBlocks::DropPrepared()
{
    ThePool().dropPrepared();
}

TextBlocks::Run::Run() : owner_(!TheRun.active)
{
    if (owner_)
        ThePool().beginRun();
}

TextBlocks::Run::~Run()
{
    if (owner_)
        ThePool().endRun();
}
