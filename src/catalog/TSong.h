#pragma once
// One track of the catalog. The catalog owns every record; list rows and the key index only
// refer to it. Display rows, lines and keys are built on demand, never stored.

#include "util/PackedTexts.h"
#include "util/ShortStr.h"
#include "util/TextPool.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class Dialogs;
class TrackStore;
class Utf16Text;

class TSong {
public:
    TSong() = default;
    TSong(const TSong &) = delete;
    TSong &operator=(const TSong &) = delete;

    ShortStr Artist() const { return texts_.get(ArtistText); }
    ShortStr Album() const { return texts_.get(AlbumText); }
    ShortStr Track() const { return texts_.get(TrackText); }
    ShortStr FileName() const { return texts_.get(FileNameText); }
    ShortStr CDID() const { return cdid_.str(); }
    // The CD ID as UTF-8, interned: records with equal CD IDs share this one string.
    const std::string &CDIDUtf8() const { return cdid_.utf8(); }
    // The stored UTF-8 of the texts, for scans over every record that build no short string.
    std::string_view ArtistUtf8() const { return texts_.view(ArtistText); }
    std::string_view AlbumUtf8() const { return texts_.view(AlbumText); }
    std::string_view TrackUtf8() const { return texts_.view(TrackText); }
    std::string_view FileNameUtf8() const { return texts_.view(FileNameText); }
    const std::string &PlayTimeUtf8() const { return playTime_.utf8(); }
    ShortStr PlayTime() const { return playTime_.str(); }
    void SetTexts(const ShortStr &artist, const ShortStr &album, const ShortStr &track,
                  const ShortStr &fileName);

    void SetPlayTime(int32_t seconds);
    // Fills a new record from one catalog file line. A line without exactly seven fields is read
    // all the same; false tells the caller that it was malformed.
    bool ParseLine(const ShortStr &line);
    // The same from the line's UTF-8 (valid, as the text line reader gives it) without decoding
    // it: the loader's path.
    bool ParseUtf8Line(std::string_view utf8);
    ShortStr CatalogLine() const;
    // Appends the UTF-8 of CatalogLine() to out, where a save gathers its lines; also tells
    // CanWriteLine(), so that a save looks at each record once.
    bool AppendCatalogLineUtf8(std::string &out) const;
    // Whether CatalogLine() reads back as this record: false when a value holds a line end, or a
    // ";" that no form of its field can hold (values read from quoted fields may hold one).
    bool CanWriteLine() const;
    ShortStr CatalogRow() const;
    // The UTF-8 of CatalogRow() into out, so that a scan over every record reuses one buffer.
    void CatalogRowUtf8(std::string &out) const;
    // The UTF-8 of CDKey(), built without short-string conversions.
    void CDKeyUtf8(std::string &out) const;
    ShortStr SelectionRow() const;
    ShortStr FullName() const;
    ShortStr CDKey() const;
    ShortStr GetFileName() const { return FileName(); }
    ShortStr ArtistKey() const;
    // The same appended to out in UTF-16, built from the stored UTF-8: sorts build it for every
    // record.
    void AppendArtistKey(Utf16Text &out) const;
    // Shows the Edit Track dialog; true when the user confirmed and the texts were replaced.
    bool EditInfo(Dialogs &dialogs);

    int32_t Seconds = 0;
    int32_t Size = 0;
    int32_t SelNum = 0;

private:
    // The record's place in the catalog's store, kept for the record's lifetime (declared here,
    // beside the other 32-bit fields, so the record stays 32 bytes).
    uint32_t storeSlot_ = 0;
    // Only the store moves records: into its blocks, and out when it empties one.
    friend class TrackStore;
    TSong(TSong &&) = default;
    TSong &operator=(TSong &&) = default;

    bool HasPlainFields() const;
    // Whether every field has a form that reads back as its value (see FieldText).
    bool HasFieldTexts() const;
    // The text written for field n (1-based, not 3) of the catalog line.
    std::optional<std::u32string> FieldTextOf(int field) const;
    ShortStr QuotedFieldsLine() const;

    enum { ArtistText, AlbumText, TrackText, FileNameText, TextCount };
    PackedTexts<TextCount> texts_;
    PooledText cdid_;
    PooledText playTime_;
};
