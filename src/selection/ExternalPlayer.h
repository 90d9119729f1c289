#pragma once
// Hands a playlist to the external player named in the configuration. The player runs on its
// own; the program does not wait for it.

#include <QString>

struct Config;
class Dialogs;
class ProcessStarter;

class ExternalPlayer {
public:
    ExternalPlayer(const Config &config, ProcessStarter &processes, Dialogs &dialogs)
        : config_(config), processes_(processes), dialogs_(dialogs) {}

    // The player's command line with the playlist as one argument of its own, never run by a
    // shell; a player that cannot be started is reported.
    bool RunExternalPlayer(const QString &listName);

private:
    const Config &config_;
    ProcessStarter &processes_;
    Dialogs &dialogs_;
};
