#include "app/Startup.h"

#include "util/LongPaths.h"

namespace {
// The longest file name part that a short string's path helpers keep.
constexpr int MaxBareNameLength = 64;
} // namespace

QString CatalogNameAtStart(const QString &listValue, const QStringList &arguments, const QString &programDir)
{
    QString name = arguments.size() > 1 ? arguments[1] : listValue;
    if (FileNamePartOf(name) == name && name.toUcs4().size() <= MaxBareNameLength)
        name = WithTrailingSeparator(programDir) + name;
    return name;
}

QString FirstOption(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i].startsWith('-'))
            return arguments[i];
    }
    return {};
}

StartRequest StartRequestOf(const QStringList &arguments)
{
    const QString option = FirstOption(arguments);
    if (option.isEmpty())
        return StartRequest::Run;
    if (option == "--help")
        return StartRequest::Help;
    if (option == "--version")
        return StartRequest::Version;
    return StartRequest::UnknownOption;
}

QString CommandLineUsage()
{
    return "usage: zemlo [--help | --version | CATALOG]";
}

QString CommandLineHelp()
{
    return CommandLineUsage() + "\n\n"
           "ZEMLO, a catalog and jukebox for MP3 files kept on CDs.\n\n"
           "  CATALOG    the catalog file to open; a bare file name is looked up in the\n"
           "             program's home. Without it, the catalog named by List in ZEMLO.INI.\n"
           "  --help     print this help and exit\n"
           "  --version  print the version and exit\n\n"
           "The home holds ZEMLO.INI: $ZEMLO_HOME when set; else the program's folder when\n"
           "it is writable and not a system one; else $XDG_CONFIG_HOME/zemlo (~/.config/zemlo).\n";
}

QString VersionText()
{
    return "zemlo " ZEMLO_VERSION "\n";
}
