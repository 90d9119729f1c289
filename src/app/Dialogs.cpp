#include "app/Dialogs.h"

#include <QCoreApplication>

QString DialogTitle(MsgDlgType type)
{
    switch (type) {
    case MsgDlgType::Warning: return "Warning";
    case MsgDlgType::Error: return "Error";
    case MsgDlgType::Information: return "Information";
    case MsgDlgType::Confirmation: return "Confirmation";
    case MsgDlgType::Custom: break;
    }
    return QCoreApplication::applicationName();
}
