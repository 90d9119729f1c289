#pragma once
// Command lines as the program starts them: split by QProcess::splitCommand, never by a shell.

#include <QString>

// The argument written so that QProcess::splitCommand gives it back as one argument: as it is
// when it holds no blank or double quote, else in double quotes with each quote tripled.
QString QuotedCommandArgument(const QString &argument);
