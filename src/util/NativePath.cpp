#include "util/NativePath.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The entry of dir whose name equals name when case is ignored, if exactly one does.
QString UniqueCaseMatch(const QString &dir, const QString &name)
{
    const QStringList entries =
        QDir(dir.isEmpty() ? QStringLiteral(".") : dir)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const QString folded = name.toCaseFolded();
    QString match;
    for (const QString &entry : entries) {
        if (entry.toCaseFolded() != folded)
            continue;
        if (!match.isNull())
            return QString();
        match = entry;
    }
    return match;
}
} // namespace

NativePath FindNativePath(const QString &slot, const QString &storedName)
{
    QString plain = slot + storedName;
    plain.replace('\\', '/');
    if (QFileInfo::exists(plain))
        return {plain, true};

    // Component by component from the root (or the working directory for a relative path).
    QString walked = plain.startsWith('/') ? QStringLiteral("/") : QString();
    const QStringList parts = plain.split('/', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        QString next = walked + part;
        if (!QFileInfo::exists(next)) {
            const QString match = UniqueCaseMatch(walked, part);
            if (match.isEmpty())
                return {plain, false};
            next = walked + match;
        }
        walked = next + '/';
    }
    walked.chop(1);
    return {walked, !walked.isEmpty()};
}
