#include "widgets/ZemloApplication.h"

#include "widgets/QtDialogs.h"

#include <exception>

ZemloApplication::ZemloApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName("ZEMLO");
}

bool ZemloApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ShowException(QString::fromUtf8(e.what()));
    }
    return false;
}

void ZemloApplication::ShowException(const QString &text)
{
    QtDialogs dialogs;
    dialogs.setParentWindow(activeWindow());
    dialogs.ShowError(text);
}
