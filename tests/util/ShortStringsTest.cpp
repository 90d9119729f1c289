#include "util/ShortStrings.h"
#include "util/Utf8.h"

#include <gtest/gtest.h>

namespace {
ShortStr S(const char *s) { return ShortStr(s); }
}

TEST(ShortStr, CutsAt255CharactersNotBytes)
{
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += "\xC3\xA9";  // é, two bytes each
    ShortStr s = ShortStr::fromUtf8(many);
    EXPECT_EQ(s.length(), 255);
    EXPECT_EQ(s.toUtf8().size(), 510u);  // no character split
    ShortStr t = s + "more";
    EXPECT_EQ(t.length(), 255);
    ShortStr u = S("abc");
    u.insert(s, 2);
    EXPECT_EQ(u.length(), 255);
    EXPECT_EQ(u.at(1), U'a');
}

TEST(ShortStrings, FieldFunctions)
{
    struct Case { const char *text; int n; const char *field; };
    const Case cases[] = {
        {"x;y;", 1, "x"}, {"x;y;", 2, "y"}, {"x;y;", 3, ""}, {"x;y;", 0, ""},
        {";;a;;b", 2, "b"}, {"\"a;b\"c;d", 1, "\"a;b\"c"}, {"\"a;b\"c;d", 2, "d"},
        {"\"open;rest", 1, "\"open;rest"}, {"", 1, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetField(c.n, S(c.text), SemicolonSet), S(c.field)) << c.text << " field " << c.n;

    EXPECT_EQ(FieldCount(S(""), SemicolonSet), 0);
    EXPECT_EQ(FieldCount(S(";;;"), SemicolonSet), 0);
    EXPECT_EQ(FieldCount(S(" "), SemicolonSet), 1);
    EXPECT_EQ(FieldCount(S("a;;b;"), SemicolonSet), 2);
    // Counting ignores quotes, field access honours them.
    EXPECT_EQ(FieldCount(S("\"a;b\";c"), SemicolonSet), 3);

    const CharSet space(U" ");
    EXPECT_EQ(GetField(1, S("\"a b\"c d"), space), S("\"a b\"c"));
    EXPECT_EQ(FieldPos(2, S("  ab  cd"), space), 7);
    EXPECT_EQ(FieldsFrom(2, S("a\tb\tc"), TabSet), S("b\tc"));
    EXPECT_EQ(FieldsFrom(4, S("a\tb\tc"), TabSet), S(""));
}

TEST(ShortStrings, PathFunctions)
{
    struct Case { const char *path; const char *ext; const char *name; const char *dir; const char *dirSlash; };
    const Case cases[] = {
        {"/a/b/x.mp3", "mp3", "x.mp3", "/a/b", "/a/b/"},
        {"Pop\\A.mp3", "mp3", "A.mp3", "Pop", "Pop/"},
        {"song.MP3", "MP3", "song.MP3", "", ""},
        {"/my.dir/song", "", "song", "/my.dir", "/my.dir/"},
        {"x.mpeg", "mpe", "x.mpeg", "", ""},
        {"x.", "", "x.", "", ""},
        {"\\x", "", "x", "\\", "\\"},
        {"/x.lst", "lst", "x.lst", "/", "/"},
        {"C:x.mp3", "mp3", "C:x.mp3", "", ""},  // the colon is an ordinary character here
        {"", "", "", "", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(GetFileExt(S(c.path)), S(c.ext)) << c.path;
        EXPECT_EQ(GetFileNamePart(S(c.path)), S(c.name)) << c.path;
        EXPECT_EQ(GetDirPart(S(c.path)), S(c.dir)) << c.path;
        EXPECT_EQ(GetDirPartSlash(S(c.path)), S(c.dirSlash)) << c.path;
    }
    int dot = -1;
    EXPECT_FALSE(HasFileExt(S("/my.dir/song"), dot));
    EXPECT_EQ(dot, 4);
    const ShortStr longName = PadRightWith("n", U'x', 80);
    EXPECT_EQ(GetFileNamePart(longName).length(), 64);
    EXPECT_EQ(EnsureTrailingBackslash(S("")), S(""));
    EXPECT_EQ(EnsureTrailingBackslash(S("/media/cd")), S("/media/cd/"));
    EXPECT_EQ(EnsureTrailingBackslash(S("dir\\")), S("dir\\"));
}

TEST(ShortStrings, TrimPadUpper)
{
    EXPECT_EQ(TrimBlanks(S(" \t \r")), S(""));
    EXPECT_EQ(TrimBlanks(S("\t a b \n")), S("a b"));
    EXPECT_EQ(TrimBlanks(S("\xC2\xA0x\xC2\xA0")), S("\xC2\xA0x\xC2\xA0"));  // no-break space counts as text
    EXPECT_EQ(PadRight(S("abc"), 2), S("abc"));
    EXPECT_EQ(PadRight(S("abc"), 5), S("abc  "));
    EXPECT_EQ(PadRightWith(S("é"), U'-', 3), S("é--"));
    EXPECT_EQ(UpperCaseShort(S("abz\xC3\xA9xy")), S("ABZ\xC3\xA9XY"));
}

TEST(ShortStrings, ReplaceAllText)
{
    struct Case { const char *text, *search, *replacement, *result; int count; };
    const Case cases[] = {
        {"aba", "a", "aa", "aaba", 1},
        {"aabb", "ab", "", "ab", 1},
        {"a-b-c", "-", "_", "a_b_c", 2},
        {"abc", "", "x", "abc", 0},
        {"abc", "z", "x", "abc", 0},
        {"a_b_c", "_", " - ", "a - b - c", 2},
    };
    for (const auto &c : cases) {
        ShortStr t = S(c.text);
        EXPECT_EQ(ReplaceAllText(t, S(c.search), S(c.replacement)), c.count) << c.text;
        EXPECT_EQ(t, S(c.result)) << c.text;
    }
    ShortStr grow = PadRightWith("", U'a', 200);
    ReplaceAllText(grow, S("a"), PadRightWith("", U'b', 100));
    EXPECT_EQ(grow.length(), 255);
}

TEST(ShortStrings, Numbers)
{
    struct Zero { int n, w; const char *text; };
    const Zero zeros[] = {{5, 2, "05"}, {123, 2, "123"}, {4096, 8, "00004096"}, {-5, 4, "00-5"}, {0, 3, "000"},
                          {7, 0, "7"}, {-3, -5, "-3   "}, {1, 30, "00000000000000000000"},
                          {-2147483647 - 1, 12, "0-2147483648"}, {9, -2147483647 - 1, "9                   "}};
    for (const auto &z : zeros)
        EXPECT_EQ(IntToZeroPadded(z.n, z.w), S(z.text)) << z.n << "/" << z.w;
    EXPECT_EQ(IntToShortStr(-2147483647 - 1), S("-2147483648"));

    struct Parse { const char *text; int value; };
    const Parse parses[] = {{" 42", 42}, {"42 ", 0}, {"4x", 0}, {"$1F", 31}, {"$ff", 255}, {"$FFFFFFFF", -1},
                            {"-$10", 16}, {"$1FFFFFFFF", 0}, {"", 0}, {"-", 0}, {"+7", 7}, {"-12", -12},
                            {"2147483647", 2147483647}, {"2147483648", 0}, {"-2147483648", -2147483647 - 1},
                            {"3:", 0}, {"\xC3\xA9", 0}};
    for (const auto &p : parses)
        EXPECT_EQ(StrToIntOrZero(S(p.text)), p.value) << p.text;
}

TEST(Utf8, Cp1252RoundTripKeepsEveryByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_FALSE(IsValidUtf8(all));
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8Length(utf8), 255);
    EXPECT_NE(utf8.find("\xE2\x82\xAC"), std::string::npos);  // 0x80 is the euro sign
}
