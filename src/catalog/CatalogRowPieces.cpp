#include "catalog/CatalogRowPieces.h"

#include "list/RowSource.h"
#include "util/Utf8.h"

namespace {
// A place in the joined pieces. Tabs and quotes are ASCII, so they are found byte by byte inside
// any UTF-8 text and a place after a tab is always the start of a character.
class PiecesCursor {
public:
    explicit PiecesCursor(const CatalogRowPieces &pieces) : pieces_(pieces), text_(pieces.piece(0)) { settle(); }
    bool atEnd() const { return k_ == CatalogRowPieces::Count; }
    char byte() const { return text_[pos_]; }
    std::string_view rest() const { return text_.substr(pos_); }
    // Bytes before this place in the joined pieces.
    size_t offset() const { return before_ + pos_; }
    void step()
    {
        ++pos_;
        settle();
    }
    // Moves to the next `c` from here on, or to the end.
    void seek(char c)
    {
        while (!atEnd()) {
            const size_t found = text_.find(c, pos_);
            if (found != std::string_view::npos) {
                pos_ = found;
                return;
            }
            pos_ = text_.size();
            settle();
        }
    }

private:
    void settle()
    {
        while (pos_ == text_.size() && ++k_ < CatalogRowPieces::Count) {
            before_ += text_.size();
            text_ = pieces_.piece(k_);
            pos_ = 0;
        }
    }
    const CatalogRowPieces &pieces_;
    int k_ = 0;
    std::string_view text_;
    size_t pos_ = 0;
    size_t before_ = 0;
};
} // namespace

CatalogRowPieces::CatalogRowPieces(const TSong &song)
    : song_(song), artist_(song.ArtistUtf8()), album_(song.AlbumUtf8()), track_(song.TrackUtf8())
{
    while (!album_.empty() && static_cast<unsigned char>(album_.front()) <= 32)
        album_.remove_prefix(1);
    while (!album_.empty() && static_cast<unsigned char>(album_.back()) <= 32)
        album_.remove_suffix(1);
}

std::optional<char32_t> CatalogRowColumnStart(const TSong &song, int column)
{
    if (column <= 0)
        return std::nullopt;
    // FieldPos on the joined pieces: runs of tabs part the columns, and a column that starts
    // with a quote runs at least to the next quote. The row cut at 255 characters is walked the
    // same way up to the cut, so a column found within the first 255 bytes is the row's; one
    // found later may lie past the cut, and that rare row is built.
    const CatalogRowPieces pieces(song);
    PiecesCursor at(pieces);
    for (int n = 1;; ++n) {
        while (!at.atEnd() && at.byte() == '\t')
            at.step();
        if (at.atEnd())
            return std::nullopt;
        if (at.offset() >= ShortStr::MaxLen)
            return RowSource::columnStartOf(song.CatalogRow(), column);
        if (n == column) {
            const auto lead = static_cast<unsigned char>(at.byte());
            return lead < 0x80 ? lead : Utf8ToChars(at.rest(), 1).front();
        }
        if (at.byte() == '"') {
            at.step();
            at.seek('"');
        }
        at.seek('\t');
    }
}
