#include "widgets/ZemloApplication.h"

#include "app/ErrorReporter.h"

#include <exception>

ZemloApplication::ZemloApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName("ZEMLO");
}

bool ZemloApplication::notify(QObject *receiver, QEvent *event)
{
    QString message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    if (reporter_)
        reporter_->ReportError(message);
    else
        qCritical("%s", qUtf8Printable(message));
    return false;
}
