#pragma once
// Helpers for tests that work with files.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

QByteArray ReadFileBytes(const QString &path);
void WriteFileBytes(const QString &path, const QByteArray &bytes);
// A catalog file: title and ruler line, then the given lines, each ended by CR LF.
QByteArray CatalogFileBytes(const QList<QByteArray> &trackLines);
