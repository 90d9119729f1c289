#pragma once
// Rounding to the nearest integer with an exact half going to the even neighbour, the rounding
// that the layout arithmetic of every window and dialog uses.

#include <cstdint>

int RoundHalfEven(double value);

// The integer nearest to num / den (den > 0), computed exactly in integers.
int NearestRatio(int64_t num, int64_t den);
