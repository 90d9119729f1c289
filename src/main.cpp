#include "app/ErrorReporter.h"
#include "app/LinuxPlatform.h"
#include "app/LoggingDialogs.h"
#include "app/ZemloCore.h"
#include "widgets/QtDialogs.h"
#include "widgets/QtListFocus.h"
#include "widgets/TMainForm.h"
#include "widgets/ZemloApplication.h"

#include <QTimer>

int main(int argc, char **argv)
{
    ZemloApplication app(argc, argv);
    QtDialogs shown;
    // ZEMLO_DIALOG_LOG=file: every dialog is also written to that file (black-box tests read it).
    LoggingDialogs dialogs(shown, qEnvironmentVariable("ZEMLO_DIALOG_LOG"));
    shown.setFollowUpDialogs(&dialogs);
    DialogsErrorReporter errors(dialogs);
    app.setErrorReporter(&errors);
    QtListFocus focus;
    AlsaVolumeMixer mixer;
    QtProcessStarter processes;
    LinuxMountedVolumes volumes;
    ZemloCore core(dialogs, {errors, focus, mixer, processes, volumes});
    shown.setHandlerGuard(&core.guard());
    TMainForm form(core);
    shown.setParentWindow(&form);
    core.Start(QApplication::arguments(), form);
    form.show();

    // ZEMLO_SCREENSHOT=file.png: saves a picture of the main window once it stands, then quits.
    const QString screenshot = qEnvironmentVariable("ZEMLO_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(1000, &form, [&form, screenshot] {
            form.grab().save(screenshot);
            QApplication::quit();
        });
    }
    const int status = QApplication::exec();
    core.FormDestroy();
    return status;
}
