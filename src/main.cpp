#include "app/Config.h"
#include "catalog/Catalog.h"
#include "util/ShortStrings.h"
#include "widgets/QtDialogs.h"
#include "widgets/TMainForm.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZEMLO");

    QtDialogs dialogs;
    Catalog catalog(dialogs, ProgramDir(), "ZEMLO");
    Config config;
    ShortStr dbFileName;
    ReadConfig(IniFileName(), config, dbFileName);
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        dbFileName = ShortStr::fromQString(args[1]);
    if (GetFileNamePart(dbFileName) == dbFileName)
        dbFileName = EnsureTrailingBackslash(ProgramDir()) + dbFileName;
    catalog.DBFileName = dbFileName;

    TMainForm form(catalog);
    dialogs.setParentWindow(&form);
    form.show();
    catalog.LoadCatalog(catalog.DBFileName);
    if (catalog.all.count() > 0)
        catalog.all.setCurrentRow(0);
    return QApplication::exec();
}
