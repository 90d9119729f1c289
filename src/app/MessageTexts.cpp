#include "app/MessageTexts.h"

QString MessageTitle(MsgDlgType type)
{
    switch (type) {
    case MsgDlgType::Warning: return QStringLiteral("Warning");
    case MsgDlgType::Error: return QStringLiteral("Error");
    case MsgDlgType::Information: return QStringLiteral("Information");
    case MsgDlgType::Confirmation: return QStringLiteral("Confirmation");
    case MsgDlgType::Custom: break;
    }
    return QString();
}

QString ShownMessageText(const QString &text)
{
    return QString(text).replace(QChar(u'\r'), QChar(u'\n')).replace(QStringLiteral("&&"), QStringLiteral("&"));
}
