#pragma once
// The selection list in a file (".m3c"): one line per row, in list order, holding the track's
// CD key (CD ID, tab, file name as stored, "\" between directories); UTF-8 with CR LF. A file
// is only meaningful with the catalog it was made from: reading finds each key in the catalog
// open now, and lines that name no track are skipped.

#include "app/SaveResult.h"

#include <QIODevice>
#include <QString>
#include <functional>
#include <memory>

class Catalog;
class Dialogs;
class Selection;

class SelectionFile {
public:
    SelectionFile(Catalog &catalog, Selection &selection, Dialogs &dialogs);

    // Asks for a name and writes the list; a failure is reported before Failed is returned.
    SaveResult Save1Click();
    // Asks first when the list is unsaved, then for a name, and reads the list.
    void Load1Click();
    // Replaces the file atomically; SelModified is cleared only when the list is on disk.
    bool WriteSelectionFile(const QString &name);
    // Empties the list, then lists the tracks that the file names, numbered in file order.
    // False after a read error (the rows read before it stay) or when the file cannot be read.
    bool ReadSelectionFile(const QString &name);

    // Opens a list file's content for reading; tests put a failing device in its place.
    std::function<std::unique_ptr<QIODevice>(const QString &path)> openListDevice;

private:
    Catalog &catalog_;
    Selection &selection_;
    Dialogs &dialogs_;
};
