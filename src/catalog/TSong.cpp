#include "catalog/TSong.h"

#include "app/Dialogs.h"
#include "catalog/CatalogLineFields.h"
#include "catalog/CatalogRowPieces.h"
#include "catalog/EditTrackForm.h"
#include "util/ShortStrings.h"
#include "util/TimeText.h"
#include "util/Utf8.h"

#include <cstring>

namespace {
constexpr int PlayTimeLen = 5;
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
    playTime_ = PooledText(MinutesSeconds(seconds).left(PlayTimeLen));
    Seconds = seconds;
}

bool TSong::ParseLine(const ShortStr &line)
{
    return ParseUtf8Line(line.toUtf8());
}

bool TSong::ParseUtf8Line(std::string_view utf8)
{
    const Utf8LineFields f(Utf8Prefix(utf8, ShortStr::MaxLen));
    cdid_ = PooledText(Utf8Prefix(f[1], CDIDLen));
    const std::string_view playTime = Utf8Prefix(f[2], PlayTimeLen);
    playTime_ = PooledText(playTime);
    // Minutes from the characters 1-2, seconds from 4-5.
    const std::string_view fromFourth = playTime.substr(Utf8Prefix(playTime, 3).size());
    Seconds = StrToIntOrZero(Utf8Prefix(playTime, 2)) * 60 + StrToIntOrZero(Utf8Prefix(fromFourth, 2));
    Size = StrToIntOrZero(f[3]);
    const std::string_view views[TextCount] = {f[4], f[5], f[6], f[7]};
    texts_.set(views);
    return f.count == CatalogLineFields;
}

ShortStr TSong::CatalogLine() const
{
    std::string line;
    AppendCatalogLineUtf8(line);
    return ShortStr::fromUtf8(line);
}

bool TSong::AppendCatalogLineUtf8(std::string &out) const
{
    // Joined from the stored UTF-8 in place, in room for the longest line these values make, each
    // value checked and its characters counted as it is copied: a save writes every record
    // through here.
    const std::string_view cdid = cdid_.utf8(), playTime = playTime_.utf8();
    std::string size;
    AppendZeroPadded(size, Size, 8);
    std::string_view texts[TextCount];
    constexpr size_t Separators = 6 * 2, Padding = 10 + 5 + 85;
    size_t room = cdid.size() + playTime.size() + size.size() + Separators + Padding;
    for (int k = 0; k < TextCount; ++k) {
        texts[k] = texts_.view(k);
        room += texts[k].size();
    }
    const size_t start = out.size();
    out.resize(start + room);
    char *const line = out.data() + start;
    char *o = line;
    bool plain = true;
    auto put = [&o, &plain](std::string_view value) {
        size_t chars = 0;
        plain = plain && CopyPlainValue(value, o, chars);
        return chars;
    };
    auto putText = [&o](std::string_view text) {
        std::memcpy(o, text.data(), text.size());
        o += text.size();
    };
    auto padTo = [&o](size_t chars, size_t width) {
        if (chars < width) {
            std::memset(o, ' ', width - chars);
            o += width - chars;
        }
    };
    padTo(put(cdid), 10);
    putText("; ");
    padTo(put(playTime), 5);
    putText("; ");
    putText(size);
    putText("; ");
    size_t blockChars = 0;
    for (int k : {ArtistText, AlbumText, TrackText}) {
        blockChars += put(texts[k]) + 2;
        putText("; ");
    }
    padTo(blockChars, 85);
    put(texts[FileNameText]);
    if (!plain) {
        out.resize(start);
        out += QuotedFieldsLine().toUtf8();
        return HasFieldTexts();
    }
    // A line is a short string too. The block of texts is one as well, but the line's cut, at
    // least 29 characters before the block's, covers it.
    out.resize(start + Utf8Prefix(std::string_view(line, static_cast<size_t>(o - line)), ShortStr::MaxLen).size());
    return true;
}

bool TSong::HasPlainFields() const
{
    if (!IsPlainValue(cdid_.utf8()) || !IsPlainValue(playTime_.utf8()))
        return false;
    for (int k = 0; k < TextCount; ++k)
        if (!IsPlainValue(texts_.view(k)))
            return false;
    return true;
}

std::optional<std::u32string> TSong::FieldTextOf(int field) const
{
    switch (field) {
    case 1: return FieldText(CDID().chars(), true, CDIDLen);
    case 2: return FieldText(PlayTime().chars(), false, PlayTimeLen);
    default: return FieldText(texts_.get(field - 4).chars(), false);
    }
}

ShortStr TSong::QuotedFieldsLine() const
{
    // The usual layout, but each value written in the form that reads back as that value; a
    // value that cannot be written at all (CanWriteLine() is false) is written as it is.
    auto text = [this](int field, std::u32string_view value) {
        return FieldTextOf(field).value_or((field == 1 ? U"" : U" ") + std::u32string(value));
    };
    std::u32string line;
    auto padTo = [&line](std::u32string_view t, size_t width) {
        line += t;
        if (t.size() < width)
            line.append(width - t.size(), U' ');
    };
    padTo(text(1, CDID().chars()), 10);
    line += U';';
    padTo(text(2, PlayTime().chars()), 6);
    line += U"; " + IntToZeroPadded(Size, 8).chars() + U";";
    const std::u32string block = text(4, Artist().chars()) + U";" + text(5, Album().chars()) + U";"
                                 + text(6, Track().chars()) + U";";
    const std::u32string file = text(7, FileName().chars());
    // The file name keeps its column: the padding goes after the separator, or before it when
    // the file name must follow the separator at once.
    if (!file.empty() && file.front() == U' ') {
        padTo(block + U" ", 86);
        line += std::u32string_view(file).substr(1);
    } else {
        padTo(std::u32string_view(block).substr(0, block.size() - 1), 85);
        line += U";" + file;
    }
    return ShortStr(line);
}

bool TSong::CanWriteLine() const
{
    return HasPlainFields() || HasFieldTexts();
}

bool TSong::HasFieldTexts() const
{
    for (int field : {1, 2, 4, 5, 6, 7})
        if (!FieldTextOf(field))
            return false;
    return true;
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
    out.clear();
    const CatalogRowPieces pieces(*this);
    for (int k = 0; k < CatalogRowPieces::Count; ++k)
        out += pieces.piece(k);
    // A row is a short string: cut at 255 characters.
    if (out.size() > ShortStr::MaxLen)
        out.resize(Utf8Prefix(out, ShortStr::MaxLen).size());
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
    Utf16Text key;
    AppendArtistKey(key);
    const std::u16string_view units = key.view();
    return ShortStr::fromQString(
        QString(reinterpret_cast<const QChar *>(units.data()), static_cast<qsizetype>(units.size())));
}

void TSong::AppendArtistKey(Utf16Text &key) const
{
    constexpr size_t Half = 40;
    size_t chars = key.appendUtf8(ArtistUtf8(), Half);
    key.append(Half - chars, u' ');
    chars = key.appendUtf8(AlbumUtf8(), Half);
    if (chars < Half) {
        key.append(1, u'-');
        chars += 1 + key.appendUtf8(TrackUtf8(), Half - chars - 1);
    }
    key.append(Half - chars, u' ');
}

bool TSong::EditInfo(Dialogs &dialogs)
{
    TrackTexts texts{FileName().toQString(), Artist().toQString(), Album().toQString(), Track().toQString()};
    if (!EditTrackDialog(dialogs, texts))
        return false;
    SetTexts(ShortStr::fromQString(texts.artist), ShortStr::fromQString(texts.album),
             ShortStr::fromQString(texts.track), FileName());
    return true;
}
