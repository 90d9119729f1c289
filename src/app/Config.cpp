#include "app/Config.h"

#include "app/IniFile.h"
#include "util/LongPaths.h"
#include "util/ShortStrings.h"

#include <QCoreApplication>
#include <QDir>

const QString IniSection = QStringLiteral("ZEMLO");

namespace {
ShortStr PathValue(const IniFile &ini, const QString &key)
{
    return EnsureTrailingBackslash(ShortStr::fromQString(ini.readString(IniSection, key))).left(ConfigValueLen);
}
} // namespace

QString ProgramDir()
{
    QString dir = qEnvironmentVariable("ZEMLO_HOME");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    return QDir::cleanPath(QDir(dir).absolutePath());
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
