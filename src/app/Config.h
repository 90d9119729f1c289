#pragma once
// The configuration read from ZEMLO.INI at start-up: CD paths, copy and play paths, the
// external player and the catalog to open.

#include "util/ShortStr.h"

#include <QString>
#include <array>

constexpr int MaxCDPaths = 20;
constexpr int ConfigValueLen = 80;
extern const QString IniSection;

struct Config {
    // Slot 0 is the import slot; slots 1..CDPathCount are the configured CD paths.
    std::array<ShortStr, MaxCDPaths + 1> CDPaths;
    int CDPathCount = 0;
    ShortStr CopyPath;
    ShortStr PlayPath;
    ShortStr Player;
};

// The program's directory: ZEMLO_HOME when set, else the executable's directory; no trailing
// separator (except for the root directory itself).
QString ProgramDir();
// Full name of ZEMLO.INI in the program's directory.
QString IniFileName();

// Fills config and dbFileName (the "List" key) from the INI file; true when the first CD path
// is set.
bool ReadConfig(const QString &iniPath, Config &config, QString &dbFileName);
