#pragma once
// "Set Tracks Sizes & Play Time": measures the catalog's tracks from the current row of the
// catalog list to the last, for tracks that were added to the catalog file by hand. The run
// stops on the first track that cannot be measured, with its row current, so that the user can
// mend it and start again from there.

class Catalog;
class Dialogs;
class Selection;
class TMPEGPlayer;
class TrackMeasurement;

class CatalogMeasurement {
public:
    CatalogMeasurement(Catalog &catalog, Selection &selection, TrackMeasurement &measurement, TMPEGPlayer &player,
                       Dialogs &dialogs)
        : catalog_(catalog), selection_(selection), measurement_(measurement), player_(player), dialogs_(dialogs)
    {
    }

    void SetSize1Click() { SetSizesAndTimes(); }
    // Runs only over a catalog sorted by CD, and after the user confirmed. Cancel in the progress
    // view ends the run as a cancelled question for a missing file does: on the next row to be
    // measured, made current, so that a new run goes on from there.
    void SetSizesAndTimes();

private:
    // Measures the rows from `first` on; returns the row where the run stopped, -1 when every
    // row was measured.
    int measureFrom(int first);

    Catalog &catalog_;
    Selection &selection_;
    TrackMeasurement &measurement_;
    TMPEGPlayer &player_;
    Dialogs &dialogs_;
};
