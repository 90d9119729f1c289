#include "import/ImportInfoForm.h"

#include "app/Dialogs.h"
#include "catalog/CatalogLineFields.h"
#include "util/ShortStrings.h"

void ImportInfoForm::BitBtn1Click()
{
    if (TrimBlanks(ShortStr::fromQString(CDNum)).empty()) {
        dialogs_.ShowError("CD ID can't be empty !!! write something... like '1' or anything!");
        return;
    }
    // The CD ID opens each catalog line: a ";" or a line break would split or end the line.
    if (!FitsLaterField(CDNum.toStdString())) {
        dialogs_.ShowError("A CD ID can't hold a \";\" or a line break !");
        return;
    }
    // The CD path list, where the source root stays while the import runs, holds paths of at
    // most 255 characters: a longer root would be scanned cut, somewhere else.
    if (Source.trimmed().toUcs4().size() >= ShortStr::MaxLen) {
        dialogs_.ShowError("The source path is too long: a path of at most 254 characters can be imported.");
        return;
    }
    Close(StartChoice);
}
