#include "app/Startup.h"

#include "util/ShortStrings.h"

ShortStr CatalogNameAtStart(const ShortStr &listValue, const QStringList &arguments, const ShortStr &programDir)
{
    ShortStr name = arguments.size() > 1 ? ShortStr::fromQString(arguments[1]) : listValue;
    if (GetFileNamePart(name) == name)
        name = EnsureTrailingBackslash(programDir) + name;
    return name;
}
