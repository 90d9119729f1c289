#pragma once
// Start-up decisions that need no window: which catalog file to open.

#include "util/ShortStr.h"

#include <QStringList>

// The catalog named by argument 1 (when given) or by the "List" key; a bare file name means the
// program's directory, so with neither the name is the directory itself, which opens as nothing.
ShortStr CatalogNameAtStart(const ShortStr &listValue, const QStringList &arguments, const ShortStr &programDir);
