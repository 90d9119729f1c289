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

// A name that a short string holds whole: a cut name would be another file's.
bool FitsShortStr(const QString &name)
{
    return ShortStr::fromQString(name).toQString() == name;
}

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
    if (catalog_.DBModified) {
        const int answer = catalog_.dialogs().MessageDlgFocus(
            catalog_.DBFileName.toQString() + " has been modified. Save ?", MsgDlgType::Confirmation,
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
    selection_.ClearSelection();
    catalog_.ClearCatalog();
    catalog_.DBModified = false;
    selection_.New1Click();
    catalog_.DBFileName = NewName;
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
    if (!FitsShortStr(chosen) || !CanRead(chosen)) {
        catalog_.dialogs().ShowError(failure);
        return;
    }
    // The rows refer to the records that loading releases.
    selection_.ClearSelection();
    const ShortStr previous = catalog_.DBFileName;
    catalog_.DBFileName = ShortStr::fromQString(chosen);
    if (!catalog_.LoadCatalog(catalog_.DBFileName)) {
        catalog_.DBFileName = previous;
        catalog_.UpdateCaption();
        catalog_.dialogs().ShowError(failure);
        return;
    }
    if (catalog_.all.count() > 0)
        catalog_.all.setCurrentRow(0);
    selection_.New1Click();
}

CatalogCommands::SaveResult CatalogCommands::SaveAllList1Click()
{
    const QString current = catalog_.DBFileName.toQString();
    // A catalog started without a file name (the name is then a directory) is saved like a new one.
    if (current != NewName && !current.isEmpty() && !QFileInfo(current).isDir())
        return catalog_.SaveCatalog(catalog_.DBFileName) ? SaveResult::Saved : SaveResult::Failed;

    const QString chosen = catalog_.dialogs().SaveFileName(DBTitle, DBFilter, DBExt, QString(), false);
    if (chosen.isEmpty())
        return SaveResult::Cancelled;
    if (!FitsShortStr(chosen)) {
        catalog_.dialogs().ShowError("Error saving DataBase to " + chosen + " !");
        return SaveResult::Failed;
    }
    // The name is taken only once the catalog is stored under it; until then Save asks again.
    const ShortStr name = ShortStr::fromQString(chosen);
    if (!catalog_.SaveCatalog(name))
        return SaveResult::Failed;
    catalog_.DBFileName = name;
    catalog_.UpdateCaption();
    return SaveResult::Saved;
}
