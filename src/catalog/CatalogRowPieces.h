#pragma once
// The display row of a catalog record (TSong::CatalogRowUtf8) as the UTF-8 pieces it joins, read
// in place: scans over a million records look into a row without building it.

#include "catalog/TSong.h"

#include <optional>
#include <string_view>

class CatalogRowPieces {
public:
    // Even pieces are the texts (artist, album, track, play time, CD ID), odd ones the joints
    // between them (tab, " - " or nothing, tab, tab).
    static constexpr int Count = 9;

    explicit CatalogRowPieces(const TSong &song);
    // Piece k, 0 <= k < Count. The play time and the CD ID live apart from the other texts: they
    // are looked up only when asked for, as a scan often stops before them.
    std::string_view piece(int k) const
    {
        switch (k) {
        case 0: return artist_;
        case 2: return album_;
        case 3: return album_.empty() ? std::string_view() : " - ";
        case 4: return track_;
        case 6: return song_.PlayTimeUtf8();
        case 8: return song_.CDIDUtf8();
        default: return "\t";
        }
    }

private:
    const TSong &song_;
    std::string_view artist_, album_, track_;
};

// The first character of column `column` of the record's display row, as FieldPos with tabs finds
// it; none when the row has no such column.
std::optional<char32_t> CatalogRowColumnStart(const TSong &song, int column);
