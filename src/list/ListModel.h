#pragma once
// The rows of a list together with its list state: what a tabbed list box shows and changes.
// A model changes its rows only through its own calls, which keep the state's row count and
// signals in step with the rows.

#include "list/ListState.h"
#include "list/RowSource.h"

#include <cstdint>
#include <vector>

class ListModel : public ListState, public RowSource {
    Q_OBJECT
public:
    using ListState::ListState;

    int count() const final { return ListState::count(); }
    // Puts the rows in a new order: row i becomes old row order[i] (a permutation). Like any
    // replacement of all rows it leaves no row current or selected and the top row at 0.
    virtual void reorder(const std::vector<uint32_t> &order) = 0;
};
