#include "catalog/CatalogSort.h"

#include "catalog/KeyOrder.h"
#include "util/Utf8.h"

#include <algorithm>

namespace {
constexpr size_t TrackWidth = 40;
constexpr size_t CDIDWidth = 20;

// The first `width` characters of text, padded with blanks to width: keys are built straight
// into one buffer from the records' UTF-8, with no short string per part.
void AppendPadded(Utf16Text &out, std::string_view text, size_t width)
{
    out.append(width - out.appendUtf8(text, width), u' ');
}
} // namespace

void AppendSortKeyText(SortKind kind, const TSong &song, Utf16Text &out)
{
    // Whole texts, cut as their short strings are.
    constexpr size_t Whole = ShortStr::MaxLen;
    switch (kind) {
    case SortKind::Artist:
        song.AppendArtistKey(out);
        out.appendUtf8(song.CDIDUtf8(), Whole);
        break;
    case SortKind::AlbumTrack:
        AppendPadded(out, song.TrackUtf8(), TrackWidth);
        out.appendUtf8(song.CDIDUtf8(), Whole);
        break;
    case SortKind::PlayTime:
        out.appendUtf8(song.PlayTimeUtf8(), Whole);
        song.AppendArtistKey(out);
        out.appendUtf8(song.CDIDUtf8(), Whole);
        break;
    case SortKind::CD:
        AppendPadded(out, song.CDIDUtf8(), CDIDWidth);
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
        rows.size(), KeyTextFn([&](size_t i, Utf16Text &text) { AppendSortKeyText(kind, *rows[i], text); }),
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
