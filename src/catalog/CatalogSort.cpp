#include "catalog/CatalogSort.h"

#include "catalog/KeyOrder.h"

#include <algorithm>

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
    std::vector<uint32_t> order = KeyOrder(
        rows.size(), KeyTextFn([&](size_t i, std::u32string &text) { AppendSortKeyText(kind, *rows[i], text); }),
        collation_);
    // Reversed takes the order from its end, so equal keys keep their previous order.
    if (reversed_)
        std::reverse(order.begin(), order.end());
    int currentRow = -1;
    if (const int current = all_.currentRow(); current >= 0)
        currentRow = static_cast<int>(std::find(order.begin(), order.end(), uint32_t(current)) - order.begin());
    all_.reorder(order);
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
