#include "util/TimeText.h"

#include <gtest/gtest.h>

TEST(TimeText, MinutesSeconds)
{
    struct Case { int64_t seconds; const char *text; };
    const Case cases[] = {{0, "00:00"}, {65, "01:05"}, {5999, "99:59"}, {6000, "100:00"}, {7 * 3600, "420:00"}};
    for (const Case &c : cases)
        EXPECT_EQ(MinutesSeconds(c.seconds), ShortStr(c.text)) << c.seconds;
}
