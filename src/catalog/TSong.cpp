#include "catalog/TSong.h"

#include "app/Dialogs.h"
#include "util/ShortStrings.h"

namespace {
constexpr int CDIDLen = 20;
constexpr int PlayTimeLen = 5;

// A field of a catalog line, trimmed; an empty or missing field reads as one blank.
ShortStr LineField(int n, const ShortStr &line)
{
    ShortStr f = TrimBlanks(GetField(n, line, SemicolonSet));
    return f.empty() ? ShortStr(" ") : f;
}
} // namespace

void TSong::SetTexts(const ShortStr &artist, const ShortStr &album, const ShortStr &track,
                     const ShortStr &fileName)
{
    const std::string a = artist.toUtf8(), b = album.toUtf8(), t = track.toUtf8(), f = fileName.toUtf8();
    const std::string_view views[TextCount] = {a, b, t, f};
    texts_.set(views);
}

void TSong::SetPlayTime(int32_t seconds)
{
    const int32_t m = seconds / 60, r = seconds % 60;
    playTime_ = PooledText((IntToZeroPadded(m, 2) + ":" + IntToZeroPadded(r, 2)).left(PlayTimeLen));
    Seconds = seconds;
}

void TSong::ParseLine(const ShortStr &line, Dialogs *dialogs)
{
    if (dialogs && FieldCount(line, SemicolonSet) != 7)
        dialogs->ShowInformation(line.toQString());
    cdid_ = PooledText(LineField(1, line).left(CDIDLen));
    const ShortStr playTime = LineField(2, line).left(PlayTimeLen);
    playTime_ = PooledText(playTime);
    Seconds = StrToIntOrZero(playTime.copy(1, 2)) * 60 + StrToIntOrZero(playTime.copy(4, 2));
    Size = StrToIntOrZero(LineField(3, line));
    SetTexts(LineField(4, line), LineField(5, line), LineField(6, line), LineField(7, line));
}

ShortStr TSong::CatalogLine() const
{
    const ShortStr block = Artist() + "; " + Album() + "; " + Track() + "; ";
    return PadRight(CDID(), 10) + "; " + PadRight(PlayTime(), 5) + "; " + IntToZeroPadded(Size, 8) + "; "
           + PadRight(block, 85) + FileName();
}

ShortStr TSong::CatalogRow() const
{
    ShortStr album = TrimBlanks(Album());
    if (!album.empty())
        album += " - ";
    return Artist() + "\t" + album + Track() + "\t" + PlayTime() + "\t" + CDID();
}

ShortStr TSong::SelectionRow() const
{
    return IntToZeroPadded(SelNum, 3) + "\t" + FullName() + "\t" + PlayTime() + "\t" + CDID();
}

ShortStr TSong::FullName() const
{
    ShortStr t = TrimBlanks(Album());
    for (const ShortStr &part : {TrimBlanks(Artist()), TrimBlanks(Track())}) {
        if (part.empty())
            continue;
        t = t.empty() ? part : t + " - " + part;
    }
    return t;
}

ShortStr TSong::CDKey() const
{
    return CDID() + "\t" + FileName();
}

ShortStr TSong::ArtistKey() const
{
    return PadRight(Artist().left(40), 40) + PadRight((Album() + "-" + Track()).left(40), 40);
}

bool TSong::EditInfo(Dialogs &dialogs)
{
    TrackTexts texts{FileName().toQString(), Artist().toQString(), Album().toQString(), Track().toQString()};
    if (!dialogs.EditTrack(texts))
        return false;
    SetTexts(ShortStr::fromQString(texts.artist), ShortStr::fromQString(texts.album),
             ShortStr::fromQString(texts.track), FileName());
    return true;
}
