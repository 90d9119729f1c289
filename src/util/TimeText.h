#pragma once
// Play times as the program shows and stores them.

#include "util/ShortStr.h"

#include <cstdint>

// "mm:ss": minutes and seconds, each with at least two digits (minutes may take more).
ShortStr MinutesSeconds(int64_t seconds);
