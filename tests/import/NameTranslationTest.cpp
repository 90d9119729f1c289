#include "import/NameTranslation.h"
#include "util/ShortStrings.h"

#include <gtest/gtest.h>

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
        const char *forceArtist = "", *forceAlbum = "";
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
        // Forced values win as typed; a blank column takes the path value, a blank forced one too.
        {"Artist-Album-Track", "Blue Fox-Rain.mp3", "", "Artist-Album", "|Rain|", "Blue Fox-Rain.mp3\t   \t  Rain\t ",
         "   "},
        {"Artist-Album-Track", "Blue Fox-Rain.mp3", "Dir Fox-Dir Album\\", "Artist-Album", "Dir Fox|Rain|",
         "Blue Fox-Rain.mp3\tDir Fox\t  Rain\t ", "   "},
        {"Artist-Album-Track", "Blue Fox-Rain.mp3", "Dir Fox-Dir Album\\", "Artist-Album", "Red Cat|Live Set|",
         "Blue Fox-Rain.mp3\tRed Cat\t Live Set\t ", "Red Cat", " Live Set"},
        {"Artist-Album-Track", "Blue Fox-Rain.mp3", "Dir Fox-Dir Album\\", "Artist-Album", "Blue Fox|Dir Album|",
         "Blue Fox-Rain.mp3\t  Blue Fox\tDir Album\t ", "", "  "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.format) + " on " + c.fileName + " in '" + c.importDir + "' forced '" + c.forceArtist
                     + "' '" + c.forceAlbum + "'");
        const ShortStr row = Translate(c.fileName, c.format, c.importDir, c.pathFormat, c.forceArtist, c.forceAlbum);
        EXPECT_EQ(Column(2, row) + "|" + Column(3, row) + "|" + Column(4, row), S(c.columns));
        if (c.row) {
            EXPECT_EQ(row, S(c.row));
        }
    }
}

TEST(NameTranslation, RowIsCutAt255Characters)
{
    const std::string name = std::string(120, 'A') + "-" + std::string(120, 'B') + ".mp3";
    EXPECT_EQ(Translate(name.c_str(), "Artist-Track"), ShortStr::fromUtf8(name + "\t  AAAAAAA"));  // 255 characters
}
