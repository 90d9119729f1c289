#include "catalog/CatalogLineFields.h"
#include "catalog/TSong.h"
#include "catalog/TypedTexts.h"
#include "catalog/EditTrackForm.h"
#include "support/ScriptedDialogs.h"
#include "util/ShortStrings.h"

#include <gtest/gtest.h>
#include <random>

namespace {
// The catalog's texts as the literal short-string helpers build them, against which the fast
// twins in TSong are checked.
ShortStr LiteralRow(const TSong &s)
{
    ShortStr album = TrimBlanks(s.Album());
    if (!album.empty())
        album += " - ";
    return s.Artist() + "\t" + album + s.Track() + "\t" + s.PlayTime() + "\t" + s.CDID();
}

ShortStr LiteralLine(const TSong &s)
{
    const ShortStr block = s.Artist() + "; " + s.Album() + "; " + s.Track() + "; ";
    return PadRight(s.CDID(), 10) + "; " + PadRight(s.PlayTime(), 5) + "; " + IntToZeroPadded(s.Size, 8) + "; "
           + PadRight(block, 85) + s.FileName();
}

ShortStr LiteralField(int n, const ShortStr &line)
{
    const ShortStr f = TrimBlanks(GetField(n, line, SemicolonSet));
    return f.empty() ? ShortStr(" ") : f;
}

// A text that a short string may not hold whole, with multi-byte characters, quotes, semicolons
// and blanks where they matter most.
class Texts {
public:
    explicit Texts(unsigned seed) : random_(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    std::u32string text(int maxLength, bool withSemicolons)
    {
        static const std::u32string alphabet = U"aZ09 :.\\\t\"\u00e9\u20ac\U0001d11e\u4e2d";
        std::u32string t;
        const int length = below(maxLength + 1);
        for (int i = 0; i < length; ++i)
            t += withSemicolons && below(12) == 0 ? U';' : alphabet[below(static_cast<int>(alphabet.size()))];
        return t;
    }
    // A catalog line as a file may hold it: fields of any kind, sometimes too few or too many.
    ShortStr line(int maxField)
    {
        std::u32string l = below(4) == 0 ? U" \"" : below(4) == 0 ? U"\"" : U"";
        const int fields = 5 + below(5);
        for (int f = 0; f < fields; ++f) {
            if (f > 0)
                l += below(5) == 0 ? U";;" : below(2) == 0 ? U"; " : U";";
            if (below(6) == 0)
                l += U'"';
            l += text(maxField, false);
        }
        return ShortStr(l);
    }

private:
    std::mt19937 random_;
};
} // namespace

TEST(CatalogLineFields, FastTwinsEqualTheLiteralHelpers)
{
    Texts make(20260917);
    for (int i = 0; i < 20000; ++i) {
        const ShortStr line = make.line(i % 2 ? 300 : 40);
        SCOPED_TRACE(line.toUtf8());
        TSong s;
        const bool wellFormed = s.ParseLine(line);
        EXPECT_EQ(s.CDID(), LiteralField(1, line).left(CDIDLen));
        EXPECT_EQ(s.PlayTime(), LiteralField(2, line).left(5));
        EXPECT_EQ(s.Size, StrToIntOrZero(LiteralField(3, line)));
        EXPECT_EQ(s.Artist(), LiteralField(4, line));
        EXPECT_EQ(s.Album(), LiteralField(5, line));
        EXPECT_EQ(s.Track(), LiteralField(6, line));
        EXPECT_EQ(s.FileName(), LiteralField(7, line));
        EXPECT_EQ(wellFormed, FieldCount(line, SemicolonSet) == 7);

        if (i % 3 == 0)
            s.SetTexts(ShortStr(make.text(300, true)), ShortStr(make.text(300, true)), ShortStr(make.text(300, true)),
                       ShortStr(make.text(300, true)));
        std::string fast;
        s.CatalogRowUtf8(fast);
        EXPECT_EQ(fast, LiteralRow(s).toUtf8());
        s.CDKeyUtf8(fast);
        EXPECT_EQ(fast, s.CDKey().toUtf8());
        // Values from quoted fields are written in another form (see below); all others as ever.
        auto plain = [](const ShortStr &v) { return v.at(1) != U'"' && v.pos(";") == 0; };
        if (plain(s.CDID()) && plain(s.PlayTime()) && plain(s.Artist()) && plain(s.Album()) && plain(s.Track())
            && plain(s.FileName())) {
            EXPECT_EQ(s.CatalogLine(), LiteralLine(s));
        }
    }
}

TEST(CatalogLineFields, EveryWritableRecordReadsBackTheSame)
{
    Texts make(7);
    int checked = 0;
    for (int i = 0; i < 20000; ++i) {
        TSong s;
        s.ParseLine(make.line(12));
        s.SetTexts(ShortStr(make.text(20, i % 2)), ShortStr(make.text(20, false)), ShortStr(make.text(20, false)),
                   ShortStr(make.text(30, false)));
        s.Size = make.below(1000000000);  // sizes past the 8 digits of their column too
        std::string utf8;
        ASSERT_EQ(s.AppendCatalogLineUtf8(utf8), s.CanWriteLine());
        if (!s.CanWriteLine())
            continue;
        const ShortStr line = s.CatalogLine();
        SCOPED_TRACE(line.toUtf8());
        ASSERT_LT(line.length(), ShortStr::MaxLen);  // no field is cut off here
        TSong back;
        back.ParseLine(line);
        auto asRead = [](const ShortStr &t) { return TrimBlanks(t).empty() ? ShortStr(" ") : TrimBlanks(t); };
        EXPECT_EQ(back.CDID(), asRead(s.CDID()));
        EXPECT_EQ(back.PlayTime(), asRead(s.PlayTime()));
        EXPECT_EQ(back.Size, s.Size);
        EXPECT_EQ(back.Artist(), asRead(s.Artist()));
        EXPECT_EQ(back.Album(), asRead(s.Album()));
        EXPECT_EQ(back.Track(), asRead(s.Track()));
        EXPECT_EQ(back.FileName(), asRead(s.FileName()));
        ++checked;
    }
    EXPECT_GT(checked, 5000);
}

TEST(CatalogLineFields, CDIDsThatBeginWithAQuote)
{
    // Read from existing files the same way as ever; written so that they read back the same.
    struct Case { const char *line; const char32_t *cdid; const char32_t *written; };
    const Case cases[] = {
        {"CD1; 03:25; 1; A; B; C; f.mp3", U"CD1", U"CD1"},
        {" \"abc; 03:25; 1; A; B; C; f.mp3", U"\"abc", U" \"abc"},  // a blank turns the quote rule off
        {"\"a;b\"; 03:25; 1; A; B; C; f.mp3", U"\"a;b\"", U"\"a;b\""},
        {"\"quoted id\"x; 03:25; 1; A; B; C; f.mp3", U"\"quoted id\"x", U"\"quoted id\"x"},
        // Cut to 20 characters inside the quotes: a closing quote after the cut reads back the same.
        {"\"aaaaaaaaaaaaaa;bbbbbbbb\"; 03:25; 1; A; B; C; f.mp3", U"\"aaaaaaaaaaaaaa;bbbb", U"\"aaaaaaaaaaaaaa;bbbb\""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        TSong s;
        s.ParseLine(c.line);
        ASSERT_EQ(s.CDID(), ShortStr(c.cdid));
        EXPECT_EQ(FieldText(c.cdid, true, CDIDLen), std::u32string(c.written));
        ASSERT_TRUE(s.CanWriteLine());
        TSong back;
        back.ParseLine(s.CatalogLine());
        EXPECT_EQ(back.CDID(), s.CDID());
        EXPECT_EQ(back.FileName(), ShortStr("f.mp3"));
        EXPECT_EQ(back.CatalogLine(), s.CatalogLine());
    }

    // What no first field can hold is refused where it is typed, and never written.
    for (const char32_t *cdid : {U"a;b", U"\"ab;c", U";ab", U"a\nb"}) {
        EXPECT_FALSE(FieldText(cdid, true, CDIDLen)) << ShortStr(cdid);
        EXPECT_EQ(CheckCDID(ShortStr(cdid).toQString()),
                  "The CD ID " + ShortStr(cdid).toQString()
                      + " can't be stored: its \";\" or line break would split the catalog line.");
    }
    for (const char *cdid : {"CD 7", "\"abc", "\"a;b\"", "\u00e9\u20ac"})
        EXPECT_EQ(CheckCDID(cdid), QString()) << cdid;
    TSong garbage;  // a line whose quote never closes swallows the whole line into its CD ID
    garbage.ParseLine("\"ab;c");
    EXPECT_FALSE(garbage.CanWriteLine());
}

TEST(CatalogLineFields, TypedTrackTexts)
{
    const QString refused = "An Artist, Album or Track can't hold \";\" or a line break.";
    struct Case { TrackTexts texts; QString message; };
    const Case cases[] = {
        {{"f;ile", "Artist", "Album \"x\"", "Track"}, QString()},  // the file name is not edited
        {{"f", "Art;ist", "Album", "Track"}, refused},
        {{"f", "Artist", ";", "Track"}, refused},
        {{"f", "Artist", "Album", "Tr\nack"}, refused},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CheckTrackTexts(c.texts), c.message) << c.texts.artist.toStdString();

    // Ok with a refused text keeps the dialog open; the record changes only on texts it can hold.
    TSong s;
    s.SetTexts("A", "B", "C", "dir\\f.mp3");
    ScriptedDialogs dialogs;
    bool stayedOpen = false;
    dialogs.onForm<EditTrackForm>([&](EditTrackForm &form) {
        form.texts.artist = "A;1";
        form.OkBtnClick();
        stayedOpen = !form.Closed();
        form.CancelBtnClick();
    });
    EXPECT_FALSE(s.EditInfo(dialogs));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(s.Artist(), ShortStr("A"));
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].text, refused);
    EXPECT_EQ(dialogs.asked[1].type, MsgDlgType::Error);
    dialogs.onForm<EditTrackForm>([](EditTrackForm &form) {
        form.texts.artist = "A;1";
        form.OkBtnClick();
        form.texts.artist = "A 1";
        form.texts.fileName = "elsewhere.mp3";  // shown, not edited
        form.OkBtnClick();
    });
    EXPECT_TRUE(s.EditInfo(dialogs));
    EXPECT_EQ(s.Artist(), ShortStr("A 1"));
    EXPECT_EQ(s.FileName(), ShortStr("dir\\f.mp3"));
    EXPECT_TRUE(s.CanWriteLine());
}

// Each byte that would break a field, and near misses, at every place of texts up to three words.
TEST(CatalogLineFields, FitsLaterFieldFindsEveryBreakingByte)
{
    const std::string_view breaking(";\r\n\x1a", 4);
    for (size_t length = 0; length <= 24; ++length) {
        for (size_t at = 0; at <= length; ++at) {
            for (char b : {';', '\r', '\n', '\x1a', '\t', '\x1f', '<', ':', '\xc3'}) {
                std::string text(length, 'a');
                if (at < length)
                    text[at] = b;
                EXPECT_EQ(FitsLaterField(text), text.find_first_of(breaking) == std::string::npos)
                    << length << " " << at << " " << int(b);
            }
        }
    }
}
