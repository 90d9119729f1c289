#include "util/LongPaths.h"

#include "util/ShortStrings.h"

namespace {
qsizetype LastDelimiter(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsPathDelimiter(path[i].unicode()))
            return i;
    return -1;
}
} // namespace

QString DirPartOf(const QString &path)
{
    const qsizetype p = LastDelimiter(path);
    if (p < 0)
        return {};
    return p == 0 ? path.left(1) : path.left(p);
}

QString FileNamePartOf(const QString &path)
{
    return path.mid(LastDelimiter(path) + 1);
}

QString WithTrailingSeparator(const QString &dir)
{
    if (dir.isEmpty() || IsPathDelimiter(dir.back().unicode()))
        return dir;
    return dir + QChar(NativeSeparator);
}

QString UpperCaseAtoZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return out;
}
