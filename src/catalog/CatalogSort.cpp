#include "catalog/CatalogSort.h"

#include "catalog/KeyOrder.h"

namespace {
constexpr size_t TrackWidth = 40;
constexpr size_t CDIDWidth = 20;

// The first `width` characters of text, padded with blanks to width: keys are built straight
// into one buffer, with no short string per part.
void AppendPadded(std::u32string &out, const ShortStr &text, size_t width)
{
    out.append(text.chars(), 0, width);
    if (text.chars().size() < width)
        out.append(width - text.chars().size(), U' ');
}
} // namespace

void AppendSortKeyText(SortKind kind, const TSong &song, std::u32string &out)
{
    switch (kind) {
    case SortKind::Artist:
        song.AppendArtistKey(out);
        out += song.CDID().chars();
        break;
    case SortKind::AlbumTrack:
        AppendPadded(out, song.Track(), TrackWidth);
        out += song.CDID().chars();
        break;
    case SortKind::PlayTime:
        out += song.PlayTime().chars();
        song.AppendArtistKey(out);
        out += song.CDID().chars();
        break;
    case SortKind::CD:
        AppendPadded(out, song.CDID(), CDIDWidth);
        song.AppendArtistKey(out);
        break;
    case SortKind::None:
        break;
    }
}

CatalogSort::CatalogSort(SongList &all, const Collation &collation, QObject *parent)
    : QObject(parent), all_(all), collation_(collation)
{
}

void CatalogSort::Sort(SortKind kind, bool forced)
{
    if (kind == SortKind::None || (kind == inForce_ && !forced))
        return;
    inForce_ = kind;
    sortByIndex_ = static_cast<int>(kind);
    emit sortStateChanged();

    const std::vector<TSong *> &rows = all_.songs();
    const std::vector<uint32_t> order = KeyOrder(
        rows.size(), KeyTextFn([&](size_t i, std::u32string &text) { AppendSortKeyText(kind, *rows[i], text); }),
        collation_);
    TSong *current = all_.currentRow() >= 0 ? all_.song(all_.currentRow()) : nullptr;

    // Reversed fills from the last to the first, so equal keys keep their previous order.
    std::vector<TSong *> sorted(rows.size());
    int currentRow = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        const size_t row = reversed_ ? order.size() - 1 - i : i;
        sorted[row] = rows[order[i]];
        if (sorted[row] == current)
            currentRow = static_cast<int>(row);
    }
    all_.setSongs(std::move(sorted));
    if (currentRow < 0)
        return;
    all_.setCurrentRow(currentRow);
    all_.setTopRow(currentRow);
    all_.setSelected(currentRow, true);
}

void CatalogSort::SortAgain()
{
    Sort(inForce_, true);
}

void CatalogSort::ReversedSortClick()
{
    reversed_ = !reversed_;
    emit sortStateChanged();
    Sort(inForce_, true);
}

void CatalogSort::SortByChange(int index)
{
    if (index >= static_cast<int>(SortKind::Artist) && index <= static_cast<int>(SortKind::PlayTime))
        Sort(static_cast<SortKind>(index), false);
}
