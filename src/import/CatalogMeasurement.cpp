#include "import/CatalogMeasurement.h"

#include "app/Dialogs.h"
#include "app/ProgressView.h"
#include "catalog/Catalog.h"
#include "import/TrackMeasurement.h"
#include "player/TMPEGPlayer.h"
#include "selection/Selection.h"

#include <algorithm>

namespace {
const char *const NotSortedByCDText = "You must sort the tracks by CD first (Database->Sort)";
const char *const ConfirmText = "This will set Tracks sizes and play times from the mp3 files(If added manualy to "
                                "the DB). It will start from the selected Track. Continue ?";
} // namespace

void CatalogMeasurement::SetSizesAndTimes()
{
    if (!catalog_.sorter().isChecked(SortKind::CD)) {
        dialogs_.ShowError(NotSortedByCDText);
        return;
    }
    if (dialogs_.MessageBox(MsgDlgType::Confirmation, ConfirmText, ButtonSet({mbYes, mbNo})) != mrYes)
        return;
    const int stopped = measureFrom(std::max(catalog_.all().currentRow(), 0));
    if (stopped >= 0) {
        catalog_.all().setCurrentRow(stopped);
        return;
    }
    // The last file was left open for playback's sake; nothing depends on closing it.
    try {
        player_.Close();
    } catch (const TMPEGError &) {
    }
}

int CatalogMeasurement::measureFrom(int first)
{
    SongList &all = catalog_.all();
    const auto progress = dialogs_.Progress("Measuring tracks", all.count() - first);
    bool selectionTouched = false;
    int stopped = -1;
    // The count is read at every row: the window keeps handling events while the run goes on.
    for (int row = first; row < all.count(); ++row) {
        // Cancel lets the row being measured finish; the run then stops on the next one.
        if (progress->cancelRequested()) {
            stopped = row;
            break;
        }
        TSong &track = *all.song(row);
        progress->setProgress(row - first, track.FullName().toQString());
        const bool measured = measurement_.MeasureTrack(track);
        // A track that did not open may still have a new size, which the selection's total shows.
        selectionTouched = selectionTouched || track.SelNum > 0;
        if (!measured) {
            stopped = row;
            break;
        }
        // Rows are built from their records: the views only need to repaint.
        all.notifyRowsChanged();
    }
    if (selectionTouched) {
        selection_.sel().notifyRowsChanged();
        selection_.ShowSelectionTotal();
    }
    return stopped;
}
