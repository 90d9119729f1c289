#include "util/TextPool.h"

#include <array>
#include <functional>
#include <unordered_set>

namespace {
const std::string *Intern(std::string &&utf8)
{
    // Node-based: element addresses stay valid as the set grows.
    static std::unordered_set<std::string> pool;
    return &*pool.insert(std::move(utf8)).first;
}

// Pooled values repeat (a CD's tracks are read one after another, play times are few), so a
// small table of recent texts answers most look-ups without building a string.
const std::string *InternRecent(std::string_view utf8)
{
    static std::array<const std::string *, 4096> recent{};
    const std::string *&slot = recent[std::hash<std::string_view>()(utf8) % recent.size()];
    if (!slot || *slot != utf8)
        slot = Intern(std::string(utf8));
    return slot;
}
} // namespace

PooledText::PooledText() : text_(Intern(std::string())) {}

PooledText::PooledText(const ShortStr &text) : text_(Intern(text.toUtf8())) {}

PooledText::PooledText(std::string_view utf8) : text_(InternRecent(utf8)) {}
