#include "catalog/KeyOrder.h"

#include "util/RunInParts.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

namespace {
// Keys of a large sort are the biggest transient allocation of the program, so they are kept
// compact: each lives once in a chunked arena (no reallocation of one huge block, whose copy
// would double the peak), its first 8 bytes inline in the entry that is sorted.
constexpr size_t ChunkBits = 22;
constexpr size_t ChunkSize = size_t(1) << ChunkBits;
constexpr size_t MaxChunks = size_t(1) << (32 - ChunkBits);  // positions are 32 bits

class KeyArena {
public:
    // Stores bytes [0, n) and returns their position.
    uint32_t add(const char *bytes, size_t n)
    {
        if (used_ + n > capacity_) {
            if (chunks_.size() == MaxChunks)
                throw std::length_error("sort keys above 4 GiB");
            // Small at first: the few items of a nearly sorted list need few keys.
            capacity_ = std::max(n, nextChunk_);
            nextChunk_ = std::min(ChunkSize, 2 * nextChunk_);
            chunks_.emplace_back(new char[capacity_]);
            used_ = 0;
        }
        std::memcpy(chunks_.back().get() + used_, bytes, n);
        const uint32_t at = static_cast<uint32_t>(((chunks_.size() - 1) << ChunkBits) | used_);
        used_ += n;
        return at;
    }
    const char *at(uint32_t pos) const { return chunks_[pos >> ChunkBits].get() + (pos & (ChunkSize - 1)); }
    // Takes over the chunks of other; returns what to add to other's positions.
    uint32_t append(KeyArena &&other)
    {
        const uint32_t shift = static_cast<uint32_t>(chunks_.size() << ChunkBits);
        for (auto &chunk : other.chunks_)
            chunks_.push_back(std::move(chunk));
        used_ = capacity_;  // no more keys go into a chunk that was taken over
        return shift;
    }

private:
    std::vector<std::unique_ptr<char[]>> chunks_;
    size_t used_ = 0;
    size_t capacity_ = 0;  // of the last chunk
    size_t nextChunk_ = size_t(64) << 10;
};

// Padded keys are mostly blanks. A run of the blank's key byte is stored as that byte and one
// length code, chosen so that the bytewise order of keys is kept: the code tells the run's
// length and whether the byte after it is smaller or greater than the run's byte.
constexpr int MaxRun = 126;
constexpr uint8_t RunContinues = 127;

void AppendCompacted(const uint8_t *key, size_t n, uint8_t run, std::string &out)
{
    size_t i = 0;
    while (i < n) {
        if (key[i] != run) {
            out += static_cast<char>(key[i++]);
            continue;
        }
        size_t k = 0;
        while (i < n && key[i] == run) {
            ++k;
            ++i;
        }
        const uint8_t next = i < n ? key[i] : 0;
        for (; k > MaxRun; k -= MaxRun) {
            out += static_cast<char>(run);
            out += static_cast<char>(RunContinues);
        }
        out += static_cast<char>(run);
        out += static_cast<char>(next < run ? k : 255 - k);
    }
}

// The key byte of a blank, when a blank makes exactly one primary byte (0: no compaction).
uint8_t BlankKeyByte(const Collation &collation)
{
    std::string key;
    collation.appendSortKey(std::u16string_view(u" "), key);
    return key.size() >= 2 && key[1] == '\x01' && key[0] != '\0' ? static_cast<uint8_t>(key[0]) : 0;
}

struct Entry {
    uint64_t head;  // 8 key bytes, big-endian, zero-filled: at first bytes 0-7
    uint32_t tail;  // arena position of the bytes after the first 8 (when the key is longer)
    uint32_t index;
};

// Builds the keys of items [begin, end) into their entries and the arena.
void BuildKeys(size_t begin, size_t end, const KeyTextFn &keyText, const Collation &collation, uint8_t blank,
               std::vector<Entry> &entries, KeyArena &arena)
{
    Utf16Text text;
    std::string raw, key;
    for (size_t i = begin; i < end; ++i) {
        text.clear();
        keyText(i, text);
        raw.clear();
        collation.appendSortKey(text.view(), raw);
        key.clear();
        if (blank)
            AppendCompacted(reinterpret_cast<const uint8_t *>(raw.data()), raw.size(), blank, key);
        else
            key = raw;
        Entry &e = entries[i];
        e.index = static_cast<uint32_t>(i);
        e.head = 0;
        for (size_t b = 0; b < 8; ++b)
            e.head = e.head << 8 | (b < key.size() ? static_cast<uint8_t>(key[b]) : 0);
        e.tail = key.size() > 8 ? arena.add(key.data() + 8, key.size() - 8) : 0;
    }
}

// Building the keys is most of the work of a large sort, so it is shared out to the cores. An ICU
// collator may be used by several threads at once through its const functions.
size_t KeyBuilders(size_t count)
{
    constexpr size_t MinItemsPerBuilder = 20000;
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::max<size_t>(1, std::min({cores, count / MinItemsPerBuilder, size_t(8)}));
}

// Up to 8 bytes of a NUL-terminated key, big-endian and zero-filled like a head.
uint64_t HeadAt(const char *bytes)
{
    uint64_t head = 0;
    int n = 0;
    for (; n < 8 && bytes[n] != '\0'; ++n)
        head = head << 8 | static_cast<uint8_t>(bytes[n]);
    return n == 0 ? 0 : head << (8 * (8 - n));
}

// Sorts by head, then each run of equal heads by the next 8 key bytes, and so on: every
// comparison is of two integers in the entries, and each key byte is read from the arena once.
// Equal keys end up in descending index order.
void SortByKey(Entry *first, Entry *last, const KeyArena &arena, size_t block)
{
    std::sort(first, last, [](const Entry &a, const Entry &b) {
        return a.head != b.head ? a.head < b.head : a.index > b.index;
    });
    for (Entry *run = first; run != last;) {
        Entry *end = run + 1;
        while (end != last && end->head == run->head)
            ++end;
        // A head whose last byte is not 0 has not reached the key's end.
        if (end - run > 1 && (run->head & 0xFF) != 0) {
            for (Entry *e = run; e != end; ++e)
                e->head = HeadAt(arena.at(e->tail) + 8 * block);
            SortByKey(run, end, arena, block + 1);
        }
        run = end;
    }
}

// The order through binary sort keys, built on several threads.
std::vector<uint32_t> KeySortOrder(size_t count, const KeyTextFn &keyText, const Collation &collation)
{
    const uint8_t blank = BlankKeyByte(collation);
    std::vector<Entry> entries(count);
    const size_t builders = KeyBuilders(count);
    std::vector<KeyArena> arenas(builders);
    RunInParts(builders, [&](size_t part) {
        BuildKeys(count * part / builders, count * (part + 1) / builders, keyText, collation, blank, entries,
                  arenas[part]);
    });
    KeyArena &arena = arenas[0];
    for (size_t part = 1; part < builders; ++part) {
        const uint32_t shift = arena.append(std::move(arenas[part]));
        for (size_t i = count * part / builders; i < count * (part + 1) / builders; ++i)
            entries[i].tail += shift;
    }

    SortByKey(entries.data(), entries.data() + entries.size(), arena, 0);
    std::vector<uint32_t> order(count);
    for (size_t i = 0; i < count; ++i)
        order[i] = entries[i].index;
    return order;
}


// One stretch of a list walked in order: the items in ascending order kept on a stack, the
// others set aside. Equal keys may follow each other on the stack; tiesPrevious tells which.
// Stretches share one array for their stacks, each stack growing from its stretch's first place:
// a stack never holds more items than its stretch has, and the joined stacks and then the whole
// order fit in the same array.
struct Walk {
    Walk(std::vector<uint32_t> &keptItems, std::vector<bool> &ties, size_t stretchBegin)
        : kept(keptItems), tiesPrevious(ties), begin(stretchBegin)
    {
    }

    std::vector<uint32_t> &kept;
    std::vector<bool> &tiesPrevious;
    size_t begin;  // of the stretch, and the bottom of the stack
    size_t size = 0;
    std::vector<uint32_t> aside;
    bool gaveUp = false;

    bool empty() const { return size == 0; }
    uint32_t at(size_t k) const { return kept[begin + k]; }
    uint32_t top() const { return at(size - 1); }
    void keep(uint32_t item, bool ties)
    {
        kept[begin + size] = item;
        tiesPrevious[begin + size] = ties;
        ++size;
    }
    void setAsideTop()
    {
        aside.push_back(top());
        --size;
    }
};

// The key texts of a walk's items and their order: an item comes before a later one when its key
// is smaller (equal keys: the later item first).
class Neighbours {
public:
    Neighbours(const KeyTextFn &keyText, const Collation &collation) : keyText_(keyText), collation_(collation) {}
    // How the key of item a compares to that of item b. A walk compares each item with the one
    // before it, so the text built for b is kept for the next call.
    int compare(uint32_t a, uint32_t b)
    {
        if (a == bItem_)
            std::swap(a_, b_);
        else
            text(a, a_);
        text(b, b_);
        bItem_ = b;
        return collation_.compare(a_.view(), b_.view());
    }
    // Whether item x comes before item k in the order, for any two items.
    bool before(uint32_t x, uint32_t k)
    {
        text(x, a_);
        text(k, b_);
        bItem_ = k;
        const int c = collation_.compare(a_.view(), b_.view());
        return c < 0 || (c == 0 && x > k);
    }

private:
    void text(uint32_t i, Utf16Text &out)
    {
        out.clear();
        keyText_(i, out);
    }
    const KeyTextFn &keyText_;
    const Collation &collation_;
    Utf16Text a_, b_;
    uint32_t bItem_ = UINT32_MAX;  // the item whose text b_ holds
};

// Walks the places [begin, end) of the list, from its last item on when backwards: an item whose
// key is smaller than that of the top of the stack is set aside with that top, so one item far
// out of place costs two, not all that follow it. Gives up when more than maxAside are set aside.
void WalkInOrder(size_t begin, size_t end, size_t count, bool backwards, size_t maxAside, Neighbours &neighbours,
                 Walk &walk)
{
    for (size_t i = begin; i < end; ++i) {
        const auto item = static_cast<uint32_t>(backwards ? count - 1 - i : i);
        const int c = walk.empty() ? -1 : neighbours.compare(walk.top(), item);
        if (c <= 0) {
            walk.keep(item, c == 0);
            continue;
        }
        walk.setAsideTop();
        walk.aside.push_back(item);
        if (walk.aside.size() > maxAside) {
            walk.gaveUp = true;
            return;
        }
    }
}

// A list that is in order already, or nearly (a catalog saved in this order and read back), is
// ordered by comparing neighbours: no sort key is built and little memory taken. The items out
// of place are sorted by their keys and put back by binary search. A list shown reversed is
// walked backwards. Nothing when too many are out of place: a sort by keys is then the cheaper.
std::optional<std::vector<uint32_t>> NearlySortedOrder(size_t count, bool backwards, const KeyTextFn &keyText,
                                                      const Collation &collation)
{
    const size_t maxAside = count / 32;
    const size_t parts = KeyBuilders(count);
    std::vector<uint32_t> kept(count);
    std::vector<bool> tiesPrevious(count);
    // Stretches start at multiples of 64, so that no two threads write bits of the same word.
    const auto stretchStart = [&](size_t part) { return part == parts ? count : count * part / parts / 64 * 64; };
    std::vector<Walk> walks;
    for (size_t part = 0; part < parts; ++part)
        walks.emplace_back(kept, tiesPrevious, stretchStart(part));
    RunInParts(parts, [&](size_t part) {
        Neighbours neighbours(keyText, collation);
        WalkInOrder(stretchStart(part), stretchStart(part + 1), count, backwards, maxAside / parts, neighbours,
                    walks[part]);
    });

    // Joined part by part: where the parts meet out of order, items at the seam are set aside.
    Neighbours neighbours(keyText, collation);
    Walk &all = walks[0];
    for (size_t part = 1; part < parts; ++part) {
        Walk &next = walks[part];
        if (all.gaveUp || next.gaveUp)
            return std::nullopt;
        size_t first = 0;
        int c = -1;
        while (!all.empty() && first < next.size && (c = neighbours.compare(all.top(), next.at(first))) > 0) {
            all.setAsideTop();
            all.aside.push_back(next.at(first++));
            c = -1;
        }
        // Moves down the array: all's stack ends before next's stretch begins.
        for (size_t k = first; k < next.size; ++k)
            all.keep(next.at(k), k == first ? c == 0 && !all.empty() : bool(tiesPrevious[next.begin + k]));
        all.aside.insert(all.aside.end(), next.aside.begin(), next.aside.end());
        next.aside = {};
    }
    if (all.gaveUp || all.aside.size() > maxAside)
        return std::nullopt;

    // Equal keys come out in the reverse of the list's order, as a backward walk keeps them.
    for (size_t k = 0; k < all.size && !backwards;) {
        size_t end = k + 1;
        while (end < all.size && tiesPrevious[end])
            ++end;
        std::reverse(kept.begin() + static_cast<std::ptrdiff_t>(k), kept.begin() + static_cast<std::ptrdiff_t>(end));
        k = end;
    }
    tiesPrevious = {};
    // In index order, so that the key sort orders equal keys as wanted.
    std::vector<uint32_t> &aside = all.aside;
    std::sort(aside.begin(), aside.end());
    const std::vector<uint32_t> asideOrder = KeySortOrder(
        aside.size(), [&](size_t j, Utf16Text &text) { keyText(aside[j], text); }, collation);
    // Where each set-aside item goes among the kept ones, in the order of the set-aside items.
    std::vector<size_t> places;
    places.reserve(asideOrder.size());
    size_t from = 0;
    for (uint32_t j : asideOrder) {
        size_t lo = from, hi = all.size;
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            if (neighbours.before(aside[j], kept[mid]))
                hi = mid;
            else
                lo = mid + 1;
        }
        places.push_back(lo);
        from = lo;
    }
    // Filled from the back: the kept items move up to make room, none is overwritten unread.
    size_t source = all.size, target = count;
    for (size_t k = asideOrder.size(); k-- > 0;) {
        while (source > places[k])
            kept[--target] = kept[--source];
        kept[--target] = aside[asideOrder[k]];
    }
    return kept;
}
} // namespace

std::vector<uint32_t> KeyOrder(size_t count, const KeyTextFn &keyText, const Collation &collation)
{
    for (const bool backwards : {false, true})
        if (std::optional<std::vector<uint32_t>> order = NearlySortedOrder(count, backwards, keyText, collation))
            return std::move(*order);
    return KeySortOrder(count, keyText, collation);
}

std::vector<uint32_t> KeyOrder(size_t count, const std::function<ShortStr(size_t)> &key,
                               const Collation &collation)
{
    return KeyOrder(count, KeyTextFn([&](size_t i, Utf16Text &text) { text.append(key(i).chars()); }),
                    collation);
}
