#pragma once
// Path helpers on whole paths. File names travel as QString and are never cut: a cut path names
// another file. The delimiters are those of the short-string helpers (both slashes).

#include <QString>

// Everything before the last delimiter; "/" for a file in the root; empty without a delimiter.
QString DirPartOf(const QString &path);
// Everything after the last delimiter.
QString FileNamePartOf(const QString &path);
// The directory with the native separator at its end (an empty text stays empty).
QString WithTrailingSeparator(const QString &dir);
// Upper-cases the letters a to z only, as every display rule of the program does.
QString UpperCaseAtoZ(const QString &text);
