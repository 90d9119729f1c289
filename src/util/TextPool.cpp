#include "util/TextPool.h"

#include <unordered_set>

namespace {
const std::string *Intern(std::string &&utf8)
{
    // Node-based: element addresses stay valid as the set grows.
    static std::unordered_set<std::string> pool;
    return &*pool.insert(std::move(utf8)).first;
}
} // namespace

PooledText::PooledText() : text_(Intern(std::string())) {}

PooledText::PooledText(const ShortStr &text) : text_(Intern(text.toUtf8())) {}

PooledText::PooledText(std::string_view utf8) : text_(Intern(std::string(utf8))) {}
