#pragma once
// Start-up decisions that need no window: which catalog file to open.

#include <QString>
#include <QStringList>

// The catalog named by argument 1 (when given) or by the "List" key; a bare file name (no
// directory, at most 64 characters) means the program's directory, so with neither the name is
// the directory itself, which opens as nothing. The path is kept whole, however long.
QString CatalogNameAtStart(const QString &listValue, const QStringList &arguments, const QString &programDir);
