#pragma once
// Start-up decisions that need no window: what the command line asks for and which catalog
// file to open.

#include <QString>
#include <QStringList>

// The catalog named by argument 1 (when given) or by the "List" key; a bare file name (no
// directory, at most 64 characters) means the program's directory, so with neither the name is
// the directory itself, which opens as nothing. The path is kept whole, however long.
QString CatalogNameAtStart(const QString &listValue, const QStringList &arguments, const QString &programDir);

// What the command line asks for. The first option decides; an argument that starts with "-" is
// an option, so a catalog of such a name is given with its directory ("./-a.lst").
enum class StartRequest { Run, Help, Version, UnknownOption };
StartRequest StartRequestOf(const QStringList &arguments);
// The first option of the command line, empty when there is none.
QString FirstOption(const QStringList &arguments);

QString CommandLineUsage();
QString CommandLineHelp();
QString VersionText();
