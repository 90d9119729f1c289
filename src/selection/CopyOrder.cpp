#include "selection/CopyOrder.h"

#include "util/Collation.h"
#include "util/ShortStrings.h"

#include <algorithm>

std::vector<const TSong *> CopyOrder(const std::vector<TSong *> &rows)
{
    struct Keyed {
        ShortStr key;
        const TSong *track;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(rows.size());
    for (const TSong *track : rows)
        keyed.push_back({PadRight(track->CDID(), 20) + track->ArtistKey(), track});

    const Collation collation;
    // Stable, so equal keys keep their list order and the first of them is the one kept.
    std::stable_sort(keyed.begin(), keyed.end(),
                     [&](const Keyed &a, const Keyed &b) { return collation.compare(a.key, b.key) < 0; });
    std::vector<const TSong *> order;
    for (size_t i = 0; i < keyed.size(); ++i)
        if (i == 0 || collation.compare(keyed[i - 1].key, keyed[i].key) != 0)
            order.push_back(keyed[i].track);
    return order;
}
