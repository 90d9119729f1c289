#pragma once
// Memory for the small blocks in which records keep their texts: a million records would pay
// the heap's header and rounding (about 16 bytes) a million times, and one heap call each to
// load and to free. Blocks here are carved from 2 MiB chunks without a header; a freed block
// waits in a list of blocks of its exact size for the next one of that size. The chunks go back
// to the system when no block is in use any more. Safe to call from any thread.

#include <cstddef>

namespace TextBlocks {
// Uninitialised bytes; throws std::bad_alloc when there is no memory. bytes > 0.
char *Allocate(size_t bytes);
// Gives back a block from Allocate, with the size it was asked for.
void Free(char *block, size_t bytes);
// Backs one more chunk of memory for the blocks to come when fewer than `bytes` are backed ahead,
// so that a thread that fills many blocks in a row (a load) does not wait for the system to
// clear their pages; true when it did. Meant for a helper thread, beside the one that allocates.
bool Prepare(size_t bytes);
// Gives back the chunks that Prepare() backed and no block took yet: for a thread that filled
// fewer blocks than it was prepared for.
void DropPrepared();

// While one lives, the blocks that this thread asks for are carved without the lock from
// stretches of memory of its own, one after another: for a thread that fills many blocks in a
// row (a load). A run inside another one on the same thread is part of the outer one.
class Run {
public:
    Run();
    ~Run();
    Run(const Run &) = delete;
    Run &operator=(const Run &) = delete;

private:
    bool owner_;
};
} // namespace TextBlocks
