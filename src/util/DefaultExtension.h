#pragma once
// The default extension of a file dialog, applied to the name that the user chose.

#include <QString>

// The chosen name with "." + defaultExt appended when its file name has no extension and no
// file of that name exists; otherwise the name as chosen.
QString WithDefaultExtension(const QString &chosen, const QString &defaultExt);
