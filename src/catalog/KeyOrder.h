#pragma once
// Ordering of many records by a collated text key, through precomputed binary sort keys.

#include "util/Collation.h"
#include "util/ShortStr.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Indexes 0..count-1 in ascending key order. Items with equal keys come out in the reverse of
// their index order: each later item goes in front of the equal ones already placed.
std::vector<uint32_t> KeyOrder(size_t count, const std::function<ShortStr(size_t)> &key,
                               const Collation &collation);
