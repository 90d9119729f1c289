#include "util/TextPool.h"

#include <array>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

namespace {
constexpr uint32_t PageBits = 12;
constexpr uint32_t PageSize = 1u << PageBits;
constexpr uint32_t MaxPages = 1u << 16;

// Texts by number, in pages that never move, so that reading one takes no lock: a number is
// handed out only after its text is in place. Zero-initialised and touched page by page.
std::string *Pages[MaxPages];

class Pool {
public:
    uint32_t intern(std::string_view utf8)
    {
        if (utf8.empty())
            return 0;
        // Pooled values repeat (a CD's tracks are read one after another, play times are few),
        // so a table of each thread's recent texts answers most look-ups without the lock and
        // the hash set: a number once handed out names its text for good. It holds the play
        // times and the CD IDs of thousands of CDs, without pushing each other out.
        thread_local std::array<uint32_t, 32768> recentOfThread{};
        uint32_t &recent = recentOfThread[std::hash<std::string_view>()(utf8) % recentOfThread.size()];
        if (recent != 0 && TextOf(recent) == utf8)
            return recent;
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = ids_.find(utf8);
        if (found == ids_.end()) {
            const uint32_t id = count_;
            if (id >> PageBits >= MaxPages)
                throw std::length_error("too many distinct CD IDs and play times");
            std::string *&page = Pages[id >> PageBits];
            if (!page)
                page = new std::string[PageSize];
            std::string &text = page[id & (PageSize - 1)];
            text = utf8;
            ++count_;
            found = ids_.emplace(text, id).first;
        }
        recent = found->second;
        return recent;
    }

    static const std::string &TextOf(uint32_t id) { return Pages[id >> PageBits][id & (PageSize - 1)]; }

private:
    std::mutex mutex_;
    uint32_t count_ = 1;  // number 0 is the empty text
    // Keys view the texts in Pages.
    std::unordered_map<std::string_view, uint32_t> ids_;
};

Pool &ThePool()
{
    // Never destroyed: records in static storage may be built after other statics are gone.
    static Pool *pool = new Pool;
    return *pool;
}
} // namespace

PooledText::PooledText(const ShortStr &text) : id_(ThePool().intern(text.toUtf8())) {}

PooledText::PooledText(std::string_view utf8) : id_(ThePool().intern(utf8)) {}

const std::string &PooledText::utf8() const
{
    static const std::string empty;
    return id_ == 0 ? empty : Pool::TextOf(id_);
}
