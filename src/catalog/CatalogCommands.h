#pragma once
// The catalog as a whole: New, Open and Save, and the question to save unsaved changes before
// the catalog is replaced or the program ends.

class Catalog;
class Selection;

class CatalogCommands {
public:
    // The name of a catalog that was never saved.
    static constexpr const char *NewName = "<NEW>";

    enum class SaveResult { Saved, Cancelled, Failed };

    CatalogCommands(Catalog &catalog, Selection &selection);

    // False when the user cancelled, or answered Yes and the catalog could not be written: in
    // both cases whatever asked must not go on.
    bool AskSaveChanges();
    void NewDBClick();
    void LoadDBClick();
    SaveResult SaveAllList1Click();
    // Whether the main window may close.
    bool FormCloseQuery() { return AskSaveChanges(); }

private:
    Catalog &catalog_;
    Selection &selection_;
};
