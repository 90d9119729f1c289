#include "support/TempDir.h"

#include <QFile>
#include <stdexcept>

QByteArray ReadFileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + path.toStdString());
}

QByteArray CatalogFileBytes(const QList<QByteArray> &trackLines)
{
    QByteArray out = "title\r\nruler\r\n";
    for (const auto &l : trackLines)
        out += l + "\r\n";
    return out;
}
