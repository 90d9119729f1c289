#include "catalog/CatalogCommands.h"

#include "app/Dialogs.h"
#include "catalog/Catalog.h"
#include "selection/Selection.h"
#include "util/TextLineReader.h"

#include <QFileInfo>

namespace {
const QString DBTitle = "Select MP3 DataBase";
const QString DBFilter = "MP3 DataBases (*.lst)";
const QString DBExt = "lst";

// Only a regular file is read: a pipe or a device would never end.
bool CanRead(const QString &name)
{
    return CheckTextFile(name) == TextFileState::Readable;
}
} // namespace

CatalogCommands::CatalogCommands(Catalog &catalog, Selection &selection) : catalog_(catalog), selection_(selection)
{
}

bool CatalogCommands::AskSaveChanges()
{
    if (catalog_.DBModified()) {
        const int answer = catalog_.dialogs().MessageDlgFocus(
            catalog_.DBFileName() + " has been modified. Save ?", MsgDlgType::Confirmation,
            ButtonSet({mbYes, mbNo, mbCancel}), 0, mbYes);
        // A Save that failed keeps the changes only if nothing replaces them now.
        if (answer == mrYes) {
            if (SaveAllList1Click() == SaveResult::Failed)
                return false;
        } else if (answer != mrNo) {
            return false;
        }
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

CatalogCommands::SaveResult CatalogCommands::SaveAllList1Click()
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
