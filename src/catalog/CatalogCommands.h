#pragma once
// The catalog as a whole: New, Open and Save, and the question to save unsaved changes before
// the catalog is replaced or the program ends.

#include "app/SaveResult.h"

class Catalog;
class Selection;
class SelectionFile;

class CatalogCommands {
public:
    // The name of a catalog that was never saved.
    static constexpr const char *NewName = "<NEW>";

    CatalogCommands(Catalog &catalog, Selection &selection, SelectionFile &selectionFile);

    // Asks about the catalog, then about the selection list. False when the user cancelled, or
    // answered Yes and the file could not be written: in both cases whatever asked must not go on.
    bool AskSaveChanges();
    void NewDBClick();
    void LoadDBClick();
    SaveResult SaveAllList1Click();
    // Whether the main window may close.
    bool FormCloseQuery() { return AskSaveChanges(); }

private:
    Catalog &catalog_;
    Selection &selection_;
    SelectionFile &selectionFile_;
};
