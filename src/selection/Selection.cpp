#include "selection/Selection.h"

#include "app/Dialogs.h"
#include "catalog/Catalog.h"
#include "util/ShortStrings.h"
#include "util/TimeText.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

Selection::Selection(Catalog &catalog, Dialogs &dialogs, QObject *parent)
    : QObject(parent), all_(catalog.all()), dialogs_(dialogs), sel_(&TSong::SelectionRow, false)
{
    connect(&catalog, &Catalog::tracksReleasing, this, &Selection::RemoveTracks);
    connect(&catalog, &Catalog::allTracksReleasing, this, &Selection::ClearSelection);
    ShowSelectionTotal();
}

QString Selection::TotalText(int files, int64_t size100, int64_t seconds)
{
    // Tenths of a megabyte, halves to the even neighbour (the default rounding mode).
    const double tenths = std::nearbyint(static_cast<double>(size100) / 1024 / 1024 * 100 * 10);
    const QString megabytes = QString::asprintf("%5.1f", tenths / 10);
    return "Total " + IntToShortStr(files).toQString() + " files, " + megabytes + "MB, Play Time : "
           + MinutesSeconds(seconds).toQString();
}

void Selection::setCurrent(int row)
{
    sel_.setCurrentRow(row);
    if (sel_.currentRow() < 0)
        sel_.clearSelection();
    else
        sel_.setSelected(row, true);
}

bool Selection::selDragOver(const ListModel *source, int row)
{
    if (source == &all_) {
        const int r = std::max(row, 0);
        setCurrent(r < sel_.count() ? r : -1);  // the insertion marker
        return true;
    }
    return source == &sel_;
}

void Selection::selDragDrop(const ListModel *source, int row)
{
    if (source == &all_)
        dropCatalogTracks(row);
    else if (source == &sel_)
        moveRow(row);
    else
        ShowSelectionTotal();
}

void Selection::dropCatalogTracks(int row)
{
    const std::vector<int> picked = all_.selectedRows();
    if (picked.empty()) {
        ShowSelectionTotal();
        return;
    }
    int p = std::clamp(row, 0, sel_.count());
    std::vector<TSong *> block;
    for (int r : picked) {
        TSong *t = all_.song(r);
        if (t->SelNum >= 1) {
            dialogs_.ShowError("Song " + t->FullName().toQString() + " already in list !");
            continue;
        }
        block.push_back(t);
        t->SelNum = p + static_cast<int>(block.size());
    }
    if (!block.empty()) {
        // One bulk insertion: a large drop stays linear in the list's length.
        std::vector<TSong *> rows = sel_.songs();
        rows.insert(rows.begin() + p, block.begin(), block.end());
        const int top = sel_.topRow();
        sel_.setSongs(std::move(rows));
        sel_.setTopRow(top);
        p += static_cast<int>(block.size());
    }
    RenumberSelection(p);
    setCurrent(p - 1);
    ShowSelectionTotal();
}

void Selection::moveRow(int row)
{
    const int s = sel_.currentRow();
    if (s < 0) {
        ShowSelectionTotal();
        return;
    }
    int d = std::clamp(row, 0, sel_.count());
    TSong *t = sel_.song(s);
    sel_.removeAt(s);
    if (s <= d)
        d = std::max(d - 1, 0);
    sel_.insert(d, t);
    RenumberSelection(0);
    setCurrent(d);
    ShowSelectionTotal();
}

void Selection::selKeyDown(int key)
{
    if (key != Qt::Key_Delete)
        return;
    int i = sel_.currentRow();
    if (i < 0)
        return;
    if (dialogs_.MessageBox(MsgDlgType::Confirmation, "Delete selected song from list ?", ButtonSet({mbYes, mbNo}))
        != mrYes)
        return;
    sel_.song(i)->SelNum = 0;
    sel_.removeAt(i);
    RenumberSelection(i);
    ShowSelectionTotal();
    setCurrent(std::min(i, sel_.count() - 1));
}

void Selection::New1Click()
{
    if (SelModified_
        && dialogs_.MessageBox(MsgDlgType::Confirmation, "List is not saved. clear list ?", ButtonSet({mbYes, mbNo}))
               != mrYes)
        return;
    ClearSelection();
}

void Selection::RenumberSelection(int first)
{
    first = std::max(first, 0);
    for (int i = first; i < sel_.count(); ++i)
        sel_.song(i)->SelNum = i + 1;
    if (first < sel_.count())
        sel_.notifyRowsChanged();
    SelModified_ = true;
}

void Selection::ClearSelection()
{
    for (TSong *t : sel_.songs())
        t->SelNum = 0;
    sel_.clear();
    ShowSelectionTotal();
}

void Selection::ShowSelectionTotal()
{
    int64_t seconds = 0;
    SelSize100 = 0;
    for (const TSong *t : sel_.songs()) {
        SelSize100 += t->Size / 100;
        seconds += t->Seconds;
    }
    total_ = TotalText(sel_.count(), SelSize100, seconds);
    totalRed_ = seconds > CDSeconds;
    emit totalChanged(total_, totalRed_);
}

void Selection::RemoveTracks(const std::vector<TSong *> &tracks)
{
    const std::unordered_set<const TSong *> gone(tracks.begin(), tracks.end());
    const TSong *current = sel_.currentRow() >= 0 ? sel_.song(sel_.currentRow()) : nullptr;
    std::vector<TSong *> kept;
    kept.reserve(sel_.count());
    for (TSong *t : sel_.songs()) {
        if (gone.count(t))
            t->SelNum = 0;
        else
            kept.push_back(t);
    }
    if (static_cast<int>(kept.size()) == sel_.count())
        return;
    // The current row follows its track; when that track goes, no row is current.
    const auto at = std::find(kept.begin(), kept.end(), current);
    const int newCurrent = at == kept.end() ? -1 : static_cast<int>(at - kept.begin());
    const int top = sel_.topRow();
    sel_.setSongs(std::move(kept));
    sel_.setTopRow(top);
    setCurrent(newCurrent);
    RenumberSelection(0);
    ShowSelectionTotal();
}
