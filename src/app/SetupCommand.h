#pragma once
// The Setup command: shows the Setup dialog and, when it is closed with OK, puts the new CD
// paths, player and default directories in force at once and writes them to ZEMLO.INI.

struct Config;
class Dialogs;
class IniFile;
class MountedVolumes;
class SetupForm;

class SetupCommand {
public:
    SetupCommand(Dialogs &dialogs, MountedVolumes &volumes, Config &config)
        : dialogs_(dialogs), volumes_(volumes), config_(config) {}

    void Setup1Click();
    // Takes the texts of a dialog closed with OK into the configuration and writes them to ini,
    // keeping its other lines. A file that cannot be read whole or written is reported; the new
    // values stay in force for this run either way.
    void TakeSetup(const SetupForm &form, IniFile &ini);

private:
    Dialogs &dialogs_;
    MountedVolumes &volumes_;
    Config &config_;
};
