#pragma once
// The selection list `sel`: the user's ordered choice of catalog tracks, filled by drag and drop
// from the catalog list, with its total line. Rows refer to the catalog's records; each listed
// record's SelNum is its 1-based row, every other record's is 0.

#include "catalog/SongList.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <vector>

class Catalog;
class Dialogs;

class Selection : public QObject {
    Q_OBJECT
public:
    // Only the catalog's list `all` may drop tracks here; records that the catalog releases
    // leave the list first.
    Selection(Catalog &catalog, Dialogs &dialogs, QObject *parent = nullptr);

    SongList &sel() { return sel_; }
    const SongList &sel() const { return sel_; }
    bool SelModified() const { return SelModified_; }
    void setSelModified(bool modified) { SelModified_ = modified; }
    // Sum of size div 100 over the listed tracks, rebuilt by ShowSelectionTotal (64 bits, so a
    // huge list cannot overflow it).
    int64_t SelSize100 = 0;

    // Play time above which the total is shown in red (74 minutes: one CD).
    static constexpr int64_t CDSeconds = 4440;

    QString total() const { return total_; }
    bool totalRed() const { return totalRed_; }

    // row: the row under the point as the list widget finds it: the row count below the last
    // row, -1 outside the item area. source: the model of the list the drag started in.
    bool selDragOver(const ListModel *source, int row);
    void selDragDrop(const ListModel *source, int row);
    // key: a Qt::Key code. The key is never consumed.
    void selKeyDown(int key);
    void New1Click();
    void RenumberSelection(int first);
    void ClearSelection();
    void ShowSelectionTotal();
    // Takes records that are about to be released out of the list; when any was listed the list
    // closes up, is renumbered and its total refreshed.
    void RemoveTracks(const std::vector<TSong *> &tracks);

    static QString TotalText(int files, int64_t size100, int64_t seconds);

signals:
    void totalChanged(const QString &text, bool red);

private:
    void dropCatalogTracks(int row);
    void moveRow(int row);
    // The list allows one selected row: it is always the current one.
    void setCurrent(int row);

    const SongList &all_;
    Dialogs &dialogs_;
    SongList sel_;
    bool SelModified_ = false;
    QString total_;
    bool totalRed_ = false;
};
