#include "util/Utf8.h"

#include <QString>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {
// The length of the well-formed sequence at s[i] by the table of the UTF-8 standard, or 0: a
// reference written apart from the decoder, byte by byte.
size_t WellFormedLength(std::string_view s, size_t i)
{
    struct Form { unsigned char first, last, secondMin, secondMax; size_t length; };
    static const Form forms[] = {
        {0x00, 0x7F, 0, 0, 1},       {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3},
        {0xE1, 0xEC, 0x80, 0xBF, 3}, {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3},
        {0xF0, 0xF0, 0x90, 0xBF, 4}, {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
    };
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    for (const Form &f : forms) {
        if (byte(i) < f.first || byte(i) > f.last)
            continue;
        if (f.length == 1)
            return 1;
        if (s.size() - i < f.length || byte(i + 1) < f.secondMin || byte(i + 1) > f.secondMax)
            return 0;
        for (size_t k = 2; k < f.length; ++k)
            if ((byte(i + k) & 0xC0) != 0x80)
                return 0;
        return f.length;
    }
    return 0;
}

bool ReferenceIsValidUtf8(std::string_view s)
{
    for (size_t i = 0, n; i < s.size(); i += n)
        if ((n = WellFormedLength(s, i)) == 0)
            return false;
    return true;
}

// Valid sequences at the edges of their ranges, then ill-formed ones: stray, overlong, surrogate,
// above U+10FFFF, cut short.
const char *const Pieces[] = {
    "\xC3\xA9", "\xC2\x80", "\xDF\xBF", "\xE2\x82\xAC", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEF\xBF\xBF",
    "\xF0\x9F\x8E\xB5", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF", "\x7F",
    "\x80", "\xBF", "\xC0\xAF", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF",
    "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF8\x88\x80\x80\x80", "\xFF", "\xC3", "\xC3\x41",
    "\xE2\x82", "\xF0\x9F\x8E",
};
} // namespace

TEST(Utf8, ValidityAgreesWithTheStandardsTable)
{
    // Runs of ASCII are read a word at a time: each piece at every place in a word, with ASCII
    // or a two-byte letter around it, then random mixes of pieces and ASCII runs.
    for (const char *piece : Pieces)
        for (size_t before = 0; before <= 17; ++before)
            for (size_t after = 0; after <= 17; ++after)
                for (const std::string around : {"a", "\xC3\xA9"}) {
                    std::string text;
                    for (size_t i = 0; i < before; ++i)
                        text += i % 5 == 4 ? around : "a";
                    text += piece;
                    text.append(after, 'b');
                    ASSERT_EQ(IsValidUtf8(text), ReferenceIsValidUtf8(text)) << testing::PrintToString(text);
                }
    std::mt19937 random(13);
    int valid = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = random() % 8; n > 0; --n) {
            text.append(random() % 20, 'x');
            // Mostly valid pieces, so that whole texts are often valid.
            text += Pieces[random() % 4 == 0 ? random() % std::size(Pieces) : random() % 11];
        }
        const bool reference = ReferenceIsValidUtf8(text);
        valid += reference;
        ASSERT_EQ(IsValidUtf8(text), reference) << testing::PrintToString(text);
        // Sort keys are built in UTF-16 straight from the bytes: the same characters as decoded
        // to code points, stray bytes and the cut included, after what the text held before.
        const size_t maxChars = random() % 40;
        std::u32string chars;
        AppendUtf8Chars(chars, text, maxChars);
        Utf16Text units;
        units.append(2, u'#');
        ASSERT_EQ(units.appendUtf8(text, maxChars), chars.size()) << testing::PrintToString(text);
        ASSERT_EQ(std::u16string(units.view()),
                  ("##" + QString::fromUcs4(chars.data(), static_cast<qsizetype>(chars.size()))).toStdU16String())
            << testing::PrintToString(text);
        // The length, counted a word at a time, is that of the characters decoded one by one.
        if (reference) {
            size_t characters = 0;
            for (size_t i = 0; i < text.size(); i += WellFormedLength(text, i))
                ++characters;
            ASSERT_EQ(static_cast<size_t>(Utf8Length(text)), characters) << testing::PrintToString(text);
        }
    }
    // Both answers were asked for often.
    EXPECT_GT(valid, 2000);
    EXPECT_LT(valid, 18000);
}
