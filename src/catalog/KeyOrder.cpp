#include "catalog/KeyOrder.h"

#include <algorithm>
#include <cstring>
#include <numeric>

std::vector<uint32_t> KeyOrder(size_t count, const std::function<ShortStr(size_t)> &key,
                               const Collation &collation)
{
    // All keys live in one arena; offsets index it.
    std::string arena;
    std::vector<uint32_t> offset(count);
    for (size_t i = 0; i < count; ++i) {
        offset[i] = static_cast<uint32_t>(arena.size());
        collation.appendSortKey(key(i), arena);
    }
    std::vector<uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    const char *base = arena.data();
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        int c = std::strcmp(base + offset[a], base + offset[b]);
        return c != 0 ? c < 0 : a > b;
    });
    return order;
}
