#include "util/DefaultExtension.h"

#include "util/LongPaths.h"

#include <QFileInfo>

QString WithDefaultExtension(const QString &chosen, const QString &defaultExt)
{
    if (chosen.isEmpty() || defaultExt.isEmpty() || QFileInfo::exists(chosen))
        return chosen;
    const QString fileName = FileNamePartOf(chosen);
    if (fileName.isEmpty() || fileName.contains('.'))
        return chosen;
    return chosen + '.' + defaultExt;
}
