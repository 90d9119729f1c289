#include "catalog/TSong.h"
#include "support/ScriptedDialogs.h"
#include "util/ShortStrings.h"

#include <gtest/gtest.h>

TEST(TSong, PlayTimeText)
{
    struct Case { int seconds; const char *text; };
    const Case cases[] = {{0, "00:00"}, {59, "00:59"}, {61, "01:01"}, {3599, "59:59"}, {6000, "100:0"}, {-61, "-1:-1"}};
    for (const auto &c : cases) {
        TSong s;
        s.SetPlayTime(c.seconds);
        EXPECT_EQ(s.PlayTime(), ShortStr(c.text)) << c.seconds;
        EXPECT_EQ(s.Seconds, c.seconds);
    }
}

// The seconds of the play time and whether the line had seven fields; the fields
// themselves CatalogLineFieldsTest checks against the literal field helpers.
TEST(TSong, ParseLineSecondsAndFieldCount)
{
    struct Case { const char *line; int seconds; bool warned; };
    const Case cases[] = {
        {"CD01      ; 03:25; 00004711; Abc; ; Xyz;   Pop\\A.mp3", 205, false},
        {"CD; 3:25; x; A; B; C; F", 5, false},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ; 123456; 1; A; B; C; F", 12 * 60 + 45, false},  // the time cut to 12345
        {"CD01", 0, true},
        {"", 0, true},
        {"CD; 01:00; 1; A;B; C; F; extra", 60, true},
    };
    for (const auto &c : cases) {
        TSong s;
        EXPECT_EQ(s.ParseLine(ShortStr(c.line)), !c.warned) << c.line;
        EXPECT_EQ(s.Seconds, c.seconds) << c.line;
    }
}

TEST(TSong, DisplayRowsAndKeys)
{
    TSong s;
    s.ParseLine("CD7; 01:02; 10; Artist; ; Track; d\\f.mp3");
    s.SelNum = 1234;  // wider than the three digits of the number column
    EXPECT_EQ(s.SelectionRow(), ShortStr("1234\tArtist - Track\t01:02\tCD7"));
    EXPECT_EQ(s.ArtistKey(), PadRight("Artist", 40) + PadRight(" -Track", 40));

    struct Full { const char *artist, *album, *track, *full; };
    const Full fulls[] = {{"A", "B", "C", "B - A - C"}, {"A", "", "C", "A - C"}, {"", "", "", ""},
                          {" A ", "  ", "C", "A - C"}, {"", "B", "", "B"}};
    for (const auto &f : fulls) {
        TSong t;
        t.SetTexts(f.artist, f.album, f.track, "x");
        EXPECT_EQ(t.FullName(), ShortStr(f.full));
    }
    TSong longKey;
    longKey.SetTexts(PadRightWith("", U'x', 50), PadRightWith("", U'y', 30), PadRightWith("", U'z', 30), "f");
    EXPECT_EQ(longKey.ArtistKey(), PadRightWith("", U'x', 40) + PadRightWith("", U'y', 30) + "-" + PadRightWith("", U'z', 9));
}

TEST(TSong, StaysSmall)
{
    EXPECT_LE(sizeof(TSong), 32u);
}
