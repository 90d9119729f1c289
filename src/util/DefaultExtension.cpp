#include "util/DefaultExtension.h"

#include <QFileInfo>

QString WithDefaultExtension(const QString &chosen, const QString &defaultExt)
{
    if (chosen.isEmpty() || defaultExt.isEmpty() || QFileInfo::exists(chosen))
        return chosen;
    const QString fileName = chosen.mid(chosen.lastIndexOf('/') + 1);
    if (fileName.isEmpty() || fileName.contains('.'))
        return chosen;
    return chosen + '.' + defaultExt;
}
