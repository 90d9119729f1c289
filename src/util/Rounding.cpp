#include "util/Rounding.h"

#include <cmath>

int RoundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    int result = static_cast<int>(below);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0))
        ++result;
    return result;
}

int NearestRatio(int64_t num, int64_t den)
{
    int64_t q = num / den, r = num % den;
    if (r < 0) {
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1) != 0))
        ++q;
    return static_cast<int>(q);
}
