#include "catalog/TrackEditing.h"

#include "app/Dialogs.h"
#include "catalog/Catalog.h"
#include "selection/Selection.h"

#include <algorithm>
#include <vector>

TrackEditing::TrackEditing(Catalog &catalog, Selection &selection) : catalog_(catalog), selection_(selection) {}

void TrackEditing::allDblClick(SongList &sender)
{
    const int i = sender.currentRow();
    if (i < 0)
        return;
    TSong *t = sender.song(i);
    if (!t->EditInfo(catalog_.dialogs()))
        return;
    catalog_.setDBModified(true);
    // Rows are built from the record: both lists show the new texts once they repaint.
    catalog_.all().notifyRowsChanged();
    if (t->SelNum > 0)
        selection_.sel().notifyRowsChanged();
    if (sender.multiSelect())
        sender.setSelected(i, true);
    sender.setCurrentRow(i);
}

bool TrackEditing::allKeyPress(QChar key)
{
    if (key != QLatin1Char(' '))
        return false;
    allDblClick(catalog_.all());
    return true;
}

void TrackEditing::EditTrackBtnClick(const ListModel *focused)
{
    if (focused == &selection_.sel() && selection_.sel().currentRow() >= 0)
        allDblClick(selection_.sel());
    else if (focused == &catalog_.all() && catalog_.all().currentRow() >= 0)
        allDblClick(catalog_.all());
}

bool TrackEditing::allKeyDown(int key)
{
    if (catalog_.all().currentRow() < 0 || key != Qt::Key_Delete)
        return false;
    const int n = catalog_.all().selectedCount();
    if (n == 0)
        return true;
    const QString question = n == 1 ? QString("Delete the selected Song from the Database ?")
                                    : "Delete all " + QString::number(n) + " Selected songs from the Database ?";
    if (catalog_.dialogs().MessageBox(MsgDlgType::Confirmation, question, ButtonSet({mbYes, mbNo})) != mrYes)
        return true;
    catalog_.setDBModified(true);
    deleteSelectedTracks();
    return true;
}

void TrackEditing::deleteSelectedTracks()
{
    SongList &all = catalog_.all();
    const int current = all.currentRow();
    std::vector<TSong *> gone;
    for (int row : all.selectedRows())
        gone.push_back(all.song(row));
    catalog_.DeleteTracks(gone);
    all.setCurrentRow(std::min(current, all.count() - 1));
}
