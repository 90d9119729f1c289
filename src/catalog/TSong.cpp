#include "catalog/TSong.h"

#include "app/Dialogs.h"
#include "util/ShortStrings.h"
#include "util/Utf8.h"

namespace {
constexpr int CDIDLen = 20;
constexpr int PlayTimeLen = 5;
constexpr int LineFields = 7;

// The fields of a catalog line as GetField finds them (runs of separators skipped, a field that
// begins with a double quote runs to the closing quote), trimmed like TrimBlanks. Found in one
// pass: a catalog of a million lines is read through here.
struct LineFieldsOf {
    std::u32string_view field[LineFields];
    int count = 0;  // as FieldCount counts them: runs of other characters, quotes or not

    explicit LineFieldsOf(std::u32string_view s)
    {
        for (size_t i = 0; i < s.size(); ++i)
            count += s[i] != U';' && (i == 0 || s[i - 1] == U';');
        size_t i = 0;
        for (auto &f : field) {
            while (i < s.size() && s[i] == U';')
                ++i;
            const size_t start = i;
            if (i < s.size() && s[i] == U'"') {
                ++i;
                while (i < s.size() && s[i] != U'"')
                    ++i;
            }
            while (i < s.size() && s[i] != U';')
                ++i;
            size_t b = start, e = i;
            while (b < e && s[b] <= 32)
                ++b;
            while (e > b && s[e - 1] <= 32)
                --e;
            f = s.substr(b, e - b);
        }
    }
    // Field n (1-based); an empty or missing field reads as one blank.
    std::u32string_view operator[](int n) const
    {
        return field[n - 1].empty() ? std::u32string_view(U" ") : field[n - 1];
    }
};
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
    const LineFieldsOf f(line.chars());
    if (dialogs && f.count != LineFields)
        dialogs->ShowInformation(line.toQString());
    cdid_ = PooledText(ShortStr(f[1].substr(0, CDIDLen)));
    const ShortStr playTime(f[2].substr(0, PlayTimeLen));
    playTime_ = PooledText(playTime);
    Seconds = StrToIntOrZero(playTime.copy(1, 2)) * 60 + StrToIntOrZero(playTime.copy(4, 2));
    Size = StrToIntOrZero(ShortStr(f[3]));
    std::string utf8;
    size_t end[TextCount];
    for (int k = 0; k < TextCount; ++k) {
        AppendUtf8(utf8, f[4 + k]);
        end[k] = utf8.size();
    }
    const std::string_view all(utf8);
    const std::string_view views[TextCount] = {all.substr(0, end[0]), all.substr(end[0], end[1] - end[0]),
                                               all.substr(end[1], end[2] - end[1]), all.substr(end[2], end[3] - end[2])};
    texts_.set(views);
}

ShortStr TSong::CatalogLine() const
{
    // Joined from the stored UTF-8 and decoded once: a save writes every record through here.
    std::string line;
    line.reserve(2 * ShortStr::MaxLen);
    auto padTo = [&line](std::string_view text, size_t width) {
        line += text;
        const size_t chars = static_cast<size_t>(Utf8Length(text));
        if (chars < width)
            line.append(width - chars, ' ');
    };
    padTo(cdid_.utf8(), 10);
    line += "; ";
    padTo(playTime_.utf8(), 5);
    line += "; ";
    line += IntToZeroPadded(Size, 8).toUtf8();
    line += "; ";
    std::string block;
    for (int k : {ArtistText, AlbumText, TrackText}) {
        block += texts_.view(k);
        block += "; ";
    }
    // The block is a short string itself, cut at 255 characters.
    if (Utf8Length(block) > ShortStr::MaxLen)
        block = ShortStr::fromUtf8(block).toUtf8();
    padTo(block, 85);
    line += texts_.view(FileNameText);
    return ShortStr::fromUtf8(line);
}

ShortStr TSong::CatalogRow() const
{
    std::string row;
    CatalogRowUtf8(row);
    return ShortStr::fromUtf8(row);
}

void TSong::CDKeyUtf8(std::string &out) const
{
    out = cdid_.utf8();
    out += '\t';
    out += texts_.view(FileNameText);
    if (out.size() > ShortStr::MaxLen)
        out = ShortStr::fromUtf8(out).toUtf8();  // the key holds at most 255 characters
}

void TSong::CatalogRowUtf8(std::string &out) const
{
    std::string_view album = texts_.view(AlbumText);
    while (!album.empty() && static_cast<unsigned char>(album.front()) <= 32)
        album.remove_prefix(1);
    while (!album.empty() && static_cast<unsigned char>(album.back()) <= 32)
        album.remove_suffix(1);
    out.clear();
    out += texts_.view(ArtistText);
    out += '\t';
    if (!album.empty()) {
        out += album;
        out += " - ";
    }
    out += texts_.view(TrackText);
    out += '\t';
    out += playTime_.utf8();
    out += '\t';
    out += cdid_.utf8();
    // A row is a short string: cut at 255 characters.
    if (out.size() > ShortStr::MaxLen && Utf8Length(out) > ShortStr::MaxLen)
        out = ShortStr::fromUtf8(out).toUtf8();
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
    // Built in one buffer: every sort builds it for each record.
    constexpr size_t Half = 40;
    std::u32string key;
    key.reserve(2 * Half);
    key.append(Artist().chars(), 0, Half);
    key.append(Half - key.size(), U' ');
    key.append(Album().chars(), 0, Half);
    if (key.size() < 2 * Half) {
        key += U'-';
        key.append(Track().chars(), 0, 2 * Half - key.size());
    }
    key.append(2 * Half - key.size(), U' ');
    return ShortStr(key);
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
