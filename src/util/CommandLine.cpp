#include "util/CommandLine.h"

#include <algorithm>

QString QuotedCommandArgument(const QString &argument)
{
    const bool plain = !argument.isEmpty() && std::none_of(argument.begin(), argument.end(), [](QChar c) {
        return c.isSpace() || c == '"';
    });
    if (plain)
        return argument;
    return '"' + QString(argument).replace("\"", "\"\"\"") + '"';
}
