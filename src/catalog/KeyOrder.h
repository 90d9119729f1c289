#pragma once
// Ordering of many records by a collated text key, through precomputed binary sort keys.

#include "util/Collation.h"
#include "util/ShortStr.h"
#include "util/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Indexes 0..count-1 in ascending key order. Items with equal keys come out in the reverse of
// their index order: each later item goes in front of the equal ones already placed.
// For many items the keys are built on several threads at once: key functions must only read.
std::vector<uint32_t> KeyOrder(size_t count, const std::function<ShortStr(size_t)> &key,
                               const Collation &collation);

// The same for callers that build the key text of item i themselves, in UTF-16 into `text`
// (handed over empty), so that a large sort builds no short string per item.
using KeyTextFn = std::function<void(size_t i, Utf16Text &text)>;
std::vector<uint32_t> KeyOrder(size_t count, const KeyTextFn &keyText, const Collation &collation);
