#include "catalog/CatalogCommands.h"

#include "app/Dialogs.h"
#include "catalog/Catalog.h"
#include "selection/Selection.h"
#include "selection/SelectionFile.h"
#include "util/TextLineReader.h"

#include <QFileInfo>
#include <functional>

namespace {
const QString DBTitle = "Select MP3 DataBase";
const QString DBFilter = "MP3 DataBases (*.lst)";
const QString DBExt = "lst";

// Only a regular file is read: a pipe or a device would never end.
bool CanRead(const QString &name)
{
    return CheckTextFile(name) == TextFileState::Readable;
}

// The answer to a save question: Yes saves and goes on, unless the save failed (what could not
// be written would be lost by whatever asked); No goes on; anything else cancels.
bool GoesOn(int answer, const std::function<SaveResult()> &save)
{
    if (answer == mrYes)
        return save() != SaveResult::Failed;
    return answer == mrNo;
}
} // namespace

CatalogCommands::CatalogCommands(Catalog &catalog, Selection &selection, SelectionFile &selectionFile)
    : catalog_(catalog), selection_(selection), selectionFile_(selectionFile)
{
}

bool CatalogCommands::AskSaveChanges()
{
    if (catalog_.DBModified()) {
        const int answer = catalog_.dialogs().MessageDlgFocus(
            catalog_.DBFileName() + " has been modified. Save ?", MsgDlgType::Confirmation,
            ButtonSet({mbYes, mbNo, mbCancel}), 0, mbYes);
        if (!GoesOn(answer, [this] { return SaveAllList1Click(); }))
            return false;
    }
    if (selection_.SelModified() && selection_.sel().count() > 0) {
        const int answer = catalog_.dialogs().MessageBox(MsgDlgType::Confirmation, "Save selection list ?",
                                                         ButtonSet({mbYes, mbNo, mbCancel}));
        if (!GoesOn(answer, [this] { return selectionFile_.Save1Click(); }))
            return false;
    }
    return true;
}

void CatalogCommands::NewDBClick()
{
    if (!AskSaveChanges())
        return;
    catalog_.ClearCatalog();
    catalog_.setDBModified(false);
    selection_.New1Click();
    catalog_.setDBFileName(NewName);
    catalog_.UpdateCaption();
}

void CatalogCommands::LoadDBClick()
{
    if (!AskSaveChanges())
        return;
    const QString chosen = catalog_.dialogs().OpenFileName(DBTitle, DBFilter, DBExt, QString());
    if (chosen.isEmpty())
        return;
    // A file that cannot be read changes nothing: the catalog stays under its own name, so a
    // later Save cannot write it over the file the user meant to open.
    const QString failure = "Can't open DataBase " + chosen + " !";
    if (!CanRead(chosen)) {
        catalog_.dialogs().ShowError(failure);
        return;
    }
    const QString previous = catalog_.DBFileName();
    catalog_.setDBFileName(chosen);
    if (!catalog_.LoadCatalog(chosen)) {
        catalog_.setDBFileName(previous);
        catalog_.UpdateCaption();
        catalog_.dialogs().ShowError(failure);
        return;
    }
    if (catalog_.all().count() > 0)
        catalog_.all().setCurrentRow(0);
    selection_.New1Click();
}

SaveResult CatalogCommands::SaveAllList1Click()
{
    const QString current = catalog_.DBFileName();
    // A catalog started without a file name (the name is then a directory) is saved like a new one.
    if (current != NewName && !current.isEmpty() && !QFileInfo(current).isDir())
        return catalog_.SaveCatalog(current) ? SaveResult::Saved : SaveResult::Failed;

    const QString chosen = catalog_.dialogs().SaveFileName(DBTitle, DBFilter, DBExt, QString(), false);
    if (chosen.isEmpty())
        return SaveResult::Cancelled;
    // The name is taken only once the catalog is stored under it; until then Save asks again.
    if (!catalog_.SaveCatalog(chosen))
        return SaveResult::Failed;
    catalog_.setDBFileName(chosen);
    catalog_.UpdateCaption();
    return SaveResult::Saved;
}
