#include "app/SetupCommand.h"

#include "app/Config.h"
#include "app/Dialogs.h"
#include "app/IniFile.h"
#include "app/SetupForm.h"
#include "util/ShortStrings.h"

namespace {
ShortStr Typed(const QString &text)
{
    return ShortStr::fromQString(text).left(ConfigValueLen);
}

// A directory as start-up reads it from the file: blanks trimmed, "/" at its end.
ShortStr DirectoryInForce(const QString &typed)
{
    return EnsureTrailingBackslash(TrimBlanks(Typed(typed))).left(ConfigValueLen);
}

QString CDKey(int slot)
{
    return slot == 1 ? QStringLiteral("CD") : "CD" + QString::number(slot);
}
} // namespace

void SetupCommand::Setup1Click()
{
    SetupForm form(dialogs_, volumes_, config_);
    dialogs_.Setup(form);
    if (form.Choice() != mrOk)
        return;
    IniFile ini(IniFileName());
    TakeSetup(form, ini);
}

void SetupCommand::TakeSetup(const SetupForm &form, IniFile &ini)
{
    // Paths are kept as typed: file names on this system are case-sensitive.
    config_.CDPathCount = 0;
    for (int row = 0; row < form.CDPathList.count() && config_.CDPathCount < MaxCDPaths; ++row) {
        const ShortStr path = DirectoryInForce(form.CDPathList.rowText(row).toQString());
        if (!path.empty())
            config_.CDPaths[++config_.CDPathCount] = path;
    }
    // A removed path must not come back as the first one.
    for (int slot = config_.CDPathCount + 1; slot <= MaxCDPaths; ++slot)
        config_.CDPaths[slot] = ShortStr();
    config_.Player = Typed(form.Player);
    config_.CopyPath = DirectoryInForce(form.CopyToHDPath);
    config_.PlayPath = DirectoryInForce(form.PlayFromHDPath);

    QStringList oldKeys;
    for (int slot = 1; slot <= MaxCDPaths; ++slot)
        oldKeys << CDKey(slot);
    std::vector<std::pair<QString, QString>> paths;
    for (int slot = 1; slot <= config_.CDPathCount; ++slot)
        paths.emplace_back(CDKey(slot), config_.CDPaths[slot].toQString());
    // An emptied list writes an empty "CD": the file says that no path is configured.
    if (paths.empty())
        paths.emplace_back(CDKey(1), QString());
    ini.replaceKeys(IniSection, oldKeys, paths);
    ini.writeString(IniSection, "CopyPath", Typed(form.CopyToHDPath).toQString());
    ini.writeString(IniSection, "PlayPath", Typed(form.PlayFromHDPath).toQString());
    ini.writeString(IniSection, "Player", config_.Player.toQString());

    if (ini.readFailed())
        dialogs_.ShowError("Error reading " + ini.path() + " ! It was not rewritten, so that none of its other "
                           "settings are lost; the new settings are in force until the program ends.");
    else if (!ini.save())
        dialogs_.ShowError("Error writing " + ini.path() + " ! The new settings are in force until the program "
                           "ends.");
}
