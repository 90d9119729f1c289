#include "util/Rounding.h"

#include <gtest/gtest.h>

TEST(Rounding, RoundHalfEven)
{
    struct Case { double value; int expected; };
    const Case cases[] = {
        {0.5, 0},  {1.5, 2},   {2.5, 2},      {3.5, 4},      {-0.5, 0}, {-1.5, -2},
        {2.49, 2}, {2.51, 3},  {3.0, 3},      {-2.51, -3},   {0.0, 0},  {271.333, 271},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RoundHalfEven(c.value), c.expected) << c.value;
}

TEST(Rounding, NearestRatioHalvesGoToEven)
{
    struct Case { int64_t num, den; int expected; };
    const Case cases[] = {{5, 2, 2}, {7, 2, 4}, {3, 2, 2}, {1, 2, 0}, {-1, 2, 0}, {-3, 2, -2}, {-5, 4, -1},
                          {12672, 100, 127}, {12650, 100, 126}, {12750, 100, 128}, {2, 3, 1}, {0, 7, 0},
                          // beyond the exact range of a double
                          {(int64_t{1} << 60) + 1, int64_t{1} << 40, 1 << 20}};
    for (const Case &c : cases)
        EXPECT_EQ(NearestRatio(c.num, c.den), c.expected) << c.num << "/" << c.den;
}
