#include "app/ErrorReporter.h"
#include "app/LinuxPlatform.h"
#include "app/LoggingDialogs.h"
#include "app/Startup.h"
#include "app/ZemloCore.h"
#include "widgets/QtDialogs.h"
#include "widgets/QtListFocus.h"
#include "widgets/TMainForm.h"
#include "widgets/ZemloApplication.h"

#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    // Answered before the application object exists: they need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    switch (StartRequestOf(arguments)) {
    case StartRequest::Help:
        std::fputs(CommandLineHelp().toLocal8Bit().constData(), stdout);
        return 0;
    case StartRequest::Version:
        std::fputs(VersionText().toLocal8Bit().constData(), stdout);
        return 0;
    case StartRequest::UnknownOption:
        std::fprintf(stderr, "zemlo: unknown option %s; %s\n", FirstOption(arguments).toLocal8Bit().constData(),
                     CommandLineUsage().toLocal8Bit().constData());
        return 2;
    case StartRequest::Run:
        break;
    }
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
