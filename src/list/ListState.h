#pragma once
// The state of a list box apart from its rows: how many rows there are, the current row, the
// selected rows, the top visible row and the anchor of Shift ranges. Every change of the current
// row, the selection or the top row is announced, also when rows are inserted, removed or
// replaced. The row count follows the rows of the derived model, which reports its changes.

#include <QObject>
#include <cstdint>
#include <vector>

class ListState : public QObject {
    Q_OBJECT
public:
    explicit ListState(bool multiSelect, QObject *parent = nullptr);

    int count() const { return static_cast<int>(selected_.size()); }
    bool multiSelect() const { return multiSelect_; }

    int currentRow() const { return current_; }
    // A row outside the list makes no row current. A new current row set by the program is
    // also the fixed end of any later Shift range.
    void setCurrentRow(int row);
    // Moves the current row and puts the fixed end of later Shift ranges at anchor.
    void setCurrentRow(int row, int anchor);
    int anchorRow() const { return anchor_; }

    bool isSelected(int row) const { return selected_[row] != 0; }
    // Selecting a row of a single-select list drops the other selected rows.
    void setSelected(int row, bool on);
    // Selects the rows from `from` to `to`, either order, both included; a single-select list
    // selects only `to`.
    void selectRange(int from, int to);
    void clearSelection();
    std::vector<int> selectedRows() const;
    int selectedCount() const { return selectedCount_; }

    int topRow() const { return top_; }
    void setTopRow(int row);

    // Tells the views that the texts of the rows changed.
    void notifyRowsChanged() { emit rowsChanged(); }

signals:
    // Rows were added, removed, replaced or edited.
    void rowsChanged();
    void currentRowChanged(int row);
    void selectionChanged();
    void topRowChanged(int row);

protected:
    // Called by the model after it changed its rows: all rows replaced (nothing current or
    // selected, top row 0), one row inserted before `row`, or row `row` removed.
    void rowsReset(int count);
    void rowInserted(int row);
    void rowRemoved(int row);

private:
    bool anySelectedFrom(int row) const;
    // Unselects every row without telling; returns whether anything was selected.
    bool dropSelection();

    bool multiSelect_;
    std::vector<uint8_t> selected_;
    int selectedCount_ = 0;
    int current_ = -1;
    int anchor_ = -1;
    int top_ = 0;
};
