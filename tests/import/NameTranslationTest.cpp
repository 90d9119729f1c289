#include "import/NameTranslation.h"
#include "util/ShortStrings.h"

#include <gtest/gtest.h>

#include <random>

namespace {
ShortStr S(const char *s) { return ShortStr(s); }

ShortStr Translate(const char *fileName, const char *format, const char *importDir = "", const char *pathFormat = "",
                   const char *forceArtist = "", const char *forceAlbum = "")
{
    return RowText(S(fileName), TranslateRow(S(fileName), CompilePattern(S(format)),
                                             MatchPathFormat(S(importDir), CompilePattern(S(pathFormat))), S(forceArtist),
                                             S(forceAlbum)));
}

ShortStr Column(int n, const ShortStr &row) { return TrimBlanks(GetField(n, row, TabSet)); }
} // namespace

TEST(NameTranslation, FindsArtistAlbumAndTrack)
{
    struct Case {
        const char *format, *fileName, *importDir, *pathFormat;
        const char *columns;  // "artist|album|track"
        const char *row;      // the exact row, where given
    };
    const Case cases[] = {
        {"Artist-Album-Track", "Blue Fox - Night Songs - Rain.mp3", "", "", "Blue Fox|Night Songs|Rain",
         "Blue Fox - Night Songs - Rain.mp3\t  Blue Fox\t  Night Songs\t  Rain"},
        {"Artist-Album-Track", "Blue Fox-Night Songs-Rain-Live.mp3", "", "", "Blue Fox|Night Songs|Rain-Live", nullptr},
        {"Artist-Album-Track", "Blue Fox-Rain.mp3", "", "", "Blue Fox|Rain|", "Blue Fox-Rain.mp3\t  Blue Fox\t  Rain\t "},
        {"Artist-Album-Track", "Rain.mp3", "", "", "Rain||", nullptr},
        {"Artist-Album-Track", "Blue_Fox_Night_Rain.mp3", "", "", "Blue_Fox_Night_Rain||", nullptr},
        {"Artist_Album_Track", "Blue_Fox_Night_Rain.mp3", "", "", "Blue|Fox|Night_Rain", nullptr},
        {"-Artist-Album-Track", "KLV-Blue Fox-Night Songs-Rain.mp3", "", "", "Blue Fox|Night Songs|Rain", nullptr},
        {"Track-Album-Track", "01-Night Songs-Rain.mp3", "", "", "|Night Songs|01 Rain",
         "01-Night Songs-Rain.mp3\t \t  Night Songs\t  01 Rain"},
        {"Artist - Track", "Blue Fox - Rain.mp3", "", "", "Blue||Rain", nullptr},
        {"Track", "07 Rain.mp3", "Blue Fox-Night Songs\\", "Artist-Album", "Blue Fox|Night Songs|07 Rain",
         "07 Rain.mp3\tBlue Fox\tNight Songs\t  07 Rain"},
        // Only the innermost directory counts; the source root has no path values.
        {"", "Rain.mp3", "Pop\\Blue Fox\\", "Artist", "Blue Fox||", "Rain.mp3\tBlue Fox\t \t "},
        {"Track", "07 Rain.mp3", "", "Artist-Album", "||07 Rain", nullptr},
        {"", "Blue Fox-Rain.mp3", "", "", "||", "Blue Fox-Rain.mp3\t \t \t "},
        // Lower-case formats; literal letters match both cases; Unicode letters are not folded.
        {"artist-track", "Blue Fox-Rain.mp3", "", "", "Blue Fox||Rain", nullptr},
        {"ArtistXTrack", "FOOxBAR.mp3", "", "", "FOO||BAR", nullptr},
        {"artistxtrack", "fooXbar.mp3", "", "", "foo||bar", nullptr},
        {"Artist-Track", "Émile-Ça va.mp3", "", "", "Émile||Ça va", nullptr},
        {"Artistétrack", "aÉbéc.mp3", "", "", "aÉb||c", nullptr},
        // Field names are read from the left: "Artistrack" is Artist and the letters "rack".
        {"Artistrack", "FoxRack.mp3", "", "", "Fox||", nullptr},
        // Only the last dot ends the name; a name without a dot is used whole.
        {"Artist-Track", "Mr. Fox-Rain.live.mp3", "", "", "Mr. Fox||Rain.live", nullptr},
        {"Artist-Track", "Blue Fox-Rain", "", "", "Blue Fox||Rain", "Blue Fox-Rain\t  Blue Fox\t \t  Rain"},
        // A separator that is not in the name: the field takes the rest.
        {"Artist_Track", "Blue-Rain.mp3", "", "", "Blue-Rain||", nullptr},
        // "%" in a format: "%1" names the field; any other "%" pair does nothing, a field in front of
        // it ends at a "%" of the name; a field right before another ends there too.
        {"%1-%2", "Blue Fox-Night.mp3", "", "", "Blue Fox|Night|", nullptr},
        {"Artist-%xTrack", "a-bxc.mp3", "", "", "a||bxc", nullptr},
        {"Artist%x-Track", "Blue-Rain%x-Live.mp3", "", "", "Blue-Rain||Live", nullptr},
        {"Artist%", "a%b.mp3", "", "", "a||", nullptr},
        {"ArtistTrack", "Blue Fox.mp3", "", "", "Blue Fox||", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.format) + " on " + c.fileName);
        const ShortStr row = Translate(c.fileName, c.format, c.importDir, c.pathFormat);
        EXPECT_EQ(Column(2, row) + "|" + Column(3, row) + "|" + Column(4, row), S(c.columns));
        if (c.row) {
            EXPECT_EQ(row, S(c.row));
        }
    }
}

TEST(NameTranslation, ForcedValuesWinAsTypedAndBlankColumnsTakeThePathValue)
{
    struct Case { const char *importDir, *forceArtist, *forceAlbum, *row; };
    const Case cases[] = {
        {"", "   ", "", "Blue Fox-Rain.mp3\t   \t  Rain\t "},
        {"Dir Fox-Dir Album\\", "   ", "", "Blue Fox-Rain.mp3\tDir Fox\t  Rain\t "},
        {"Dir Fox-Dir Album\\", "Red Cat", " Live Set", "Blue Fox-Rain.mp3\tRed Cat\t Live Set\t "},
        {"Dir Fox-Dir Album\\", "", "  ", "Blue Fox-Rain.mp3\t  Blue Fox\tDir Album\t "},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Translate("Blue Fox-Rain.mp3", "Artist-Album-Track", c.importDir, "Artist-Album", c.forceArtist, c.forceAlbum),
                  S(c.row))
            << c.importDir << "|" << c.forceArtist << "|" << c.forceAlbum;
}

TEST(NameTranslation, RowIsCutAt255Characters)
{
    const std::string name = std::string(120, 'A') + "-" + std::string(120, 'B') + ".mp3";
    EXPECT_EQ(Translate(name.c_str(), "Artist-Track"), ShortStr::fromUtf8(name + "\t  AAAAAAA"));  // 255 characters
}

namespace {
// The matching and translation steps transcribed literally, on the compiled text character by
// character with positions from 1, as a second reading to compare the element matcher with.
char32_t Up(char32_t c) { return c >= U'a' && c <= U'z' ? c - 32 : c; }

void LiteralMatch(const ShortStr &source, const ShortStr &pattern, ShortStr buffers[3])
{
    int i = 1, j = 1;
    while (i <= pattern.length() && j <= source.length()) {
        if (pattern.at(i) == U'%' && pattern.at(i + 1) >= U'1' && pattern.at(i + 1) <= U'3') {
            ShortStr &buffer = buffers[pattern.at(i + 1) - U'1'];
            i += 2;
            if (!buffer.empty())
                buffer += " ";
            if (i > pattern.length()) {
                buffer += TrimBlanks(source.copy(j, 255));
                j = source.length() + 1;
            } else {
                int k = j;
                while (k <= source.length() && Up(source.at(k)) != pattern.at(i))
                    ++k;
                buffer += TrimBlanks(source.copy(j, k - j));
                j = k;
            }
        } else if (pattern.at(i) == U'%') {
            i += 2;
        } else {
            while (j <= source.length() && Up(source.at(j)) != pattern.at(i))
                ++j;
            if (j <= source.length())
                ++j;
            i += 1;
        }
    }
}

ShortStr LiteralTranslate(const ShortStr &fileName, const ShortStr &format, ShortStr importDir, const ShortStr &pathFormat,
                          const ShortStr &forceArtist, const ShortStr &forceAlbum, ShortStr pathValues[3])
{
    if (importDir.length() > 0 && importDir.at(importDir.length()) == U'\\')
        importDir = importDir.copy(1, importDir.length() - 1);
    int b = importDir.length();
    while (b >= 1 && importDir.at(b) != U'\\')
        --b;
    LiteralMatch(importDir.copy(b + 1, 255), CompilePattern(pathFormat).text, pathValues);

    int dot = fileName.length();
    while (dot >= 1 && fileName.at(dot) != U'.')
        --dot;
    ShortStr buffers[3] = {" ", " ", " "};
    LiteralMatch(dot >= 1 ? fileName.copy(1, dot - 1) : fileName, CompilePattern(format).text, buffers);
    if (!forceAlbum.empty())
        buffers[1] = forceAlbum;
    if (!forceArtist.empty())
        buffers[0] = forceArtist;
    for (int f : {0, 1})
        if (TrimBlanks(buffers[f]).empty() && !pathValues[f].empty())
            buffers[f] = pathValues[f];
    return fileName + "\t" + buffers[0] + "\t" + buffers[1] + "\t" + buffers[2];
}

template <size_t N>
ShortStr Random(std::mt19937 &random, const char *const (&pieces)[N], int maxCount)
{
    ShortStr text;
    for (int n = std::uniform_int_distribution<int>(0, maxCount)(random); n > 0; --n)
        text += S(pieces[std::uniform_int_distribution<size_t>(0, N - 1)(random)]);
    return text;
}
} // namespace

TEST(NameTranslation, AgreesWithALiteralReadingOfTheStepsOnRandomNames)
{
    // Field names and "-" come often, as in real formats and names.
    const char *const formatPieces[] = {"Artist", "Album", "Track", "artist", "TRACK", "Artist", "Track", "-", "-",
                                        "_",      " ",     ".",     "%",      "1",     "2",      "3",     "a", "B",
                                        "x",      "é"};
    const char *const namePieces[] = {"-", "-", "-", "_", " ", ".", "%", "a", "A", "b", "B", "x", "X", "0", "1", "9", "é", "É"};
    const char *const dirPieces[] = {"\\", "-", "_", " ", "a", "B", "x"};
    const char *const forces[] = {"", "", "  ", "Force"};
    std::mt19937 random(20261207);
    int filled = 0;
    for (int n = 0; n < 4000; ++n) {
        const ShortStr format = Random(random, formatPieces, 7), pathFormat = Random(random, formatPieces, 4);
        const ShortStr name = Random(random, namePieces, 24), importDir = Random(random, dirPieces, 10);
        const ShortStr forceArtist = Random(random, forces, 1), forceAlbum = Random(random, forces, 1);
        SCOPED_TRACE("format '" + format.toUtf8() + "' name '" + name.toUtf8() + "' dir '" + importDir.toUtf8() +
                     "' path format '" + pathFormat.toUtf8() + "' forced '" + forceArtist.toUtf8() + "' '" +
                     forceAlbum.toUtf8() + "'");

        ShortStr literalPath[3];
        const ShortStr expected = LiteralTranslate(name, format, importDir, pathFormat, forceArtist, forceAlbum, literalPath);
        const CompiledPattern pattern = CompilePattern(format);
        const PathValues path = MatchPathFormat(importDir, CompilePattern(pathFormat));
        ASSERT_EQ(path.artist, literalPath[0]);
        ASSERT_EQ(path.album, literalPath[1]);
        ASSERT_EQ(RowText(name, TranslateRow(name, pattern, path, forceArtist, forceAlbum)), expected);
        filled += !Column(2, expected).empty() + !Column(3, expected).empty() + !Column(4, expected).empty() >= 2;
    }
    // The random formats and names fill two fields or more often enough to test the matching.
    EXPECT_GT(filled, 400);
}
