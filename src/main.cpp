#include "widgets/QtDialogs.h"
#include "widgets/TMainForm.h"
#include "widgets/TSplashScreen.h"
#include "widgets/ZemloApplication.h"

#include <QTimer>

int main(int argc, char **argv)
{
    ZemloApplication app(argc, argv);
    QtDialogs dialogs;
    TMainForm form(dialogs);
    dialogs.setParentWindow(&form);
    form.FormCreate(QApplication::arguments());

    TSplashScreen::ShowStartupSplash();
    form.catalog().LoadCatalog(form.catalog().DBFileName);
    if (form.catalog().all.count() > 0)
        form.catalog().all.setCurrentRow(0);
    form.show();

    // ZEMLO_SCREENSHOT=file.png: saves a picture of the main window once it stands, then quits.
    const QString screenshot = qEnvironmentVariable("ZEMLO_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(1000, &form, [&form, screenshot] {
            form.grab().save(screenshot);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
