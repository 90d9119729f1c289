#pragma once
// Names stored in the program's files use "\" between directories and are relative to a CD
// path slot. On the file system they become native paths: every "\" becomes "/", and where a
// component of the exact name does not exist, a directory entry that differs from it only in
// letter case is taken (CDs mounted on Linux often change the case of their names).

#include <QString>

struct NativePath {
    QString path;  // the existing path found, or the plain mapping when found is false
    bool found = false;
};

// slot: the text of a CD path slot (a directory, normally ending in "/"); storedName: the name
// relative to it. A component with several entries that differ only in case, none of them exact,
// is ambiguous and is not found.
NativePath FindNativePath(const QString &slot, const QString &storedName);
