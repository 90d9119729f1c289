#include "app/Config.h"

#include "app/IniFile.h"
#include "util/LongPaths.h"
#include "util/ShortStrings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <unistd.h>

const QString IniSection = QStringLiteral("ZEMLO");

namespace {
ShortStr PathValue(const IniFile &ini, const QString &key)
{
    return EnsureTrailingBackslash(ShortStr::fromQString(ini.readString(IniSection, key))).left(ConfigValueLen);
}

bool IsSystemProgramDir(const QString &dir)
{
    static const QStringList systemDirs = {"/bin", "/usr/bin", "/usr/local/bin", "/usr/games", "/usr/local/games"};
    return systemDirs.contains(QDir::cleanPath(dir));
}
} // namespace

QString ProgramHome(const HomeProbe &probe)
{
    if (!probe.zemloHome.isEmpty())
        return QDir::cleanPath(QDir(probe.zemloHome).absolutePath());
    if (probe.executableDirWritable && !IsSystemProgramDir(probe.executableDir))
        return QDir::cleanPath(probe.executableDir);
    // A relative XDG_CONFIG_HOME is ignored: it would depend on the working directory.
    const QString configHome = QDir::isAbsolutePath(probe.xdgConfigHome) ? probe.xdgConfigHome
                                                                         : probe.userHome + "/.config";
    return QDir::cleanPath(configHome + "/zemlo");
}

QString ProgramDir()
{
    HomeProbe probe;
    probe.zemloHome = qEnvironmentVariable("ZEMLO_HOME");
    if (probe.zemloHome.isEmpty()) {
        probe.executableDir = QCoreApplication::applicationDirPath();
        // access() and not the permission bits: it also answers for read-only mounts and ACLs.
        probe.executableDirWritable = access(QFile::encodeName(probe.executableDir).constData(), W_OK) == 0;
        probe.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
        probe.userHome = QDir::homePath();
    }
    const QString home = ProgramHome(probe);
    // Created on first use; a failure shows later as the missing ZEMLO.INI or an unwritable file.
    QDir().mkpath(home);
    return home;
}

QString IniFileName()
{
    return WithTrailingSeparator(ProgramDir()) + "ZEMLO.INI";
}

bool ReadConfig(const QString &iniPath, Config &config, QString &dbFileName)
{
    const IniFile ini(iniPath);
    config.CDPaths[1] = PathValue(ini, "CD");
    config.CDPathCount = 1;
    while (config.CDPathCount < MaxCDPaths) {
        const ShortStr path = PathValue(ini, "CD" + QString::number(config.CDPathCount + 1));
        config.CDPaths[config.CDPathCount + 1] = path;
        if (path.empty())
            break;
        ++config.CDPathCount;
    }
    config.CopyPath = PathValue(ini, "CopyPath");
    config.PlayPath = PathValue(ini, "PlayPath");
    config.Player = ShortStr::fromQString(ini.readString(IniSection, "Player")).left(ConfigValueLen);
    // Catalog names keep their full length: a cut path would name another file.
    dbFileName = ini.readString(IniSection, "List");
    return !config.CDPaths[1].empty();
}
