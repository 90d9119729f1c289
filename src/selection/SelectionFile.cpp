#include "selection/SelectionFile.h"

#include "app/Dialogs.h"
#include "catalog/Catalog.h"
#include "selection/Selection.h"
#include "util/TextFileWriter.h"
#include "util/TextLineReader.h"

#include <string>
#include <vector>

namespace {
const QString ListTitle = "Select CD List FileName";
const QString ListFilter = "MP3 CD List (*.m3c)";
const QString ListExt = "m3c";
} // namespace

SelectionFile::SelectionFile(Catalog &catalog, Selection &selection, Dialogs &dialogs)
    : catalog_(catalog), selection_(selection), dialogs_(dialogs)
{
}

SaveResult SelectionFile::Save1Click()
{
    const QString name = dialogs_.SaveFileName(ListTitle, ListFilter, ListExt, QString(), true);
    if (name.isEmpty())
        return SaveResult::Cancelled;
    if (!WriteSelectionFile(name)) {
        dialogs_.ShowInformation("Error saving list to " + name + " !");
        return SaveResult::Failed;
    }
    return SaveResult::Saved;
}

void SelectionFile::Load1Click()
{
    // Only No keeps the unsaved list; closing the question any other way loads.
    if (selection_.SelModified()
        && dialogs_.MessageBox(MsgDlgType::Confirmation, "List is not saved. Load anyway ?", ButtonSet({mbYes, mbNo}))
               == mrNo)
        return;
    const QString name = dialogs_.OpenFileName(ListTitle, ListFilter, ListExt, QString());
    if (name.isEmpty())
        return;
    if (!ReadSelectionFile(name))
        dialogs_.ShowInformation("Error loading list from " + name + " !");
}

bool SelectionFile::WriteSelectionFile(const QString &name)
{
    TextFileWriter writer(name);
    if (!writer.open())
        return false;
    std::string key;
    for (const TSong *t : selection_.sel().songs()) {
        t->CDKeyUtf8(key);
        writer.writeLine(key);
    }
    if (!writer.commit())
        return false;
    selection_.setSelModified(false);
    return true;
}

bool SelectionFile::ReadSelectionFile(const QString &name)
{
    selection_.ClearSelection();
    TextLineReader reader;
    if (!reader.open(name, openListDevice ? openListDevice(name) : nullptr))
        return false;
    std::vector<TSong *> rows;
    std::string line;
    while (reader.readLine(line)) {
        TSong *t = catalog_.songIndex().find(line);
        // A track named again is skipped: the list holds each track once, at its first line.
        if (!t || t->SelNum != 0)
            continue;
        rows.push_back(t);
        t->SelNum = static_cast<int32_t>(rows.size());
    }
    selection_.sel().setSongs(std::move(rows));
    selection_.setSelModified(false);
    selection_.ShowSelectionTotal();
    return !reader.failed();
}
