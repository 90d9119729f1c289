#include "selection/Selection.h"

#include "app/Dialogs.h"
#include "util/ShortStrings.h"
#include "util/TimeText.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

Selection::Selection(const SongList &all, Dialogs &dialogs, QObject *parent)
    : QObject(parent), sel(&TSong::SelectionRow, false), all_(all), dialogs_(dialogs)
{
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
    sel.setCurrentRow(row);
    if (sel.currentRow() < 0)
        sel.clearSelection();
    else
        sel.setSelected(row, true);
}

bool Selection::selDragOver(const SongList *source, int row)
{
    if (source == &all_) {
        const int r = std::max(row, 0);
        setCurrent(r < sel.count() ? r : -1);  // the insertion marker
        return true;
    }
    return source == &sel;
}

void Selection::selDragDrop(const SongList *source, int row)
{
    if (source == &all_)
        dropCatalogTracks(row);
    else if (source == &sel)
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
    int p = std::clamp(row, 0, sel.count());
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
        std::vector<TSong *> rows = sel.songs();
        rows.insert(rows.begin() + p, block.begin(), block.end());
        const int top = sel.topRow();
        sel.setSongs(std::move(rows));
        sel.setTopRow(top);
        p += static_cast<int>(block.size());
    }
    RenumberSelection(p);
    setCurrent(p - 1);
    ShowSelectionTotal();
}

void Selection::moveRow(int row)
{
    const int s = sel.currentRow();
    if (s < 0) {
        ShowSelectionTotal();
        return;
    }
    int d = std::clamp(row, 0, sel.count());
    TSong *t = sel.song(s);
    sel.removeAt(s);
    if (s <= d)
        d = std::max(d - 1, 0);
    sel.insert(d, t);
    RenumberSelection(0);
    setCurrent(d);
    ShowSelectionTotal();
}

void Selection::selKeyDown(int key)
{
    if (key != Qt::Key_Delete)
        return;
    int i = sel.currentRow();
    if (i < 0)
        return;
    if (dialogs_.MessageBox(MsgDlgType::Confirmation, "Delete selected song from list ?", ButtonSet({mbYes, mbNo}))
        != mrYes)
        return;
    sel.song(i)->SelNum = 0;
    sel.removeAt(i);
    RenumberSelection(i);
    ShowSelectionTotal();
    setCurrent(std::min(i, sel.count() - 1));
}

void Selection::New1Click()
{
    if (SelModified
        && dialogs_.MessageBox(MsgDlgType::Confirmation, "List is not saved. clear list ?", ButtonSet({mbYes, mbNo}))
               != mrYes)
        return;
    ClearSelection();
}

void Selection::RenumberSelection(int first)
{
    first = std::max(first, 0);
    for (int i = first; i < sel.count(); ++i)
        sel.song(i)->SelNum = i + 1;
    if (first < sel.count())
        sel.notifyRowsChanged();
    SelModified = true;
}

void Selection::ClearSelection()
{
    for (TSong *t : sel.songs())
        t->SelNum = 0;
    sel.clear();
    ShowSelectionTotal();
}

void Selection::ShowSelectionTotal()
{
    int64_t seconds = 0;
    SelSize100 = 0;
    for (const TSong *t : sel.songs()) {
        SelSize100 += t->Size / 100;
        seconds += t->Seconds;
    }
    total_ = TotalText(sel.count(), SelSize100, seconds);
    totalRed_ = seconds > CDSeconds;
    emit totalChanged(total_, totalRed_);
}

void Selection::RemoveTracks(const std::vector<TSong *> &tracks)
{
    const std::unordered_set<const TSong *> gone(tracks.begin(), tracks.end());
    const TSong *current = sel.currentRow() >= 0 ? sel.song(sel.currentRow()) : nullptr;
    std::vector<TSong *> kept;
    kept.reserve(sel.count());
    for (TSong *t : sel.songs()) {
        if (gone.count(t))
            t->SelNum = 0;
        else
            kept.push_back(t);
    }
    if (static_cast<int>(kept.size()) == sel.count())
        return;
    // The current row follows its track; when that track goes, no row is current.
    const auto at = std::find(kept.begin(), kept.end(), current);
    const int newCurrent = at == kept.end() ? -1 : static_cast<int>(at - kept.begin());
    const int top = sel.topRow();
    sel.setSongs(std::move(kept));
    sel.setTopRow(top);
    setCurrent(newCurrent);
    RenumberSelection(0);
    ShowSelectionTotal();
}
