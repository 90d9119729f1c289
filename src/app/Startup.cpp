#include "app/Startup.h"

#include "util/LongPaths.h"

namespace {
// The longest file name part that a short string's path helpers keep.
constexpr int MaxBareNameLength = 64;
} // namespace

QString CatalogNameAtStart(const QString &listValue, const QStringList &arguments, const QString &programDir)
{
    QString name = arguments.size() > 1 ? arguments[1] : listValue;
    if (FileNamePartOf(name) == name && name.toUcs4().size() <= MaxBareNameLength)
        name = WithTrailingSeparator(programDir) + name;
    return name;
}
