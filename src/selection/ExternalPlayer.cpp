#include "selection/ExternalPlayer.h"

#include "app/Config.h"
#include "app/Dialogs.h"
#include "app/PlatformPorts.h"

bool ExternalPlayer::RunExternalPlayer(const QString &listName)
{
    const QString command = config_.Player.toQString();
    if (processes_.startDetached(command, {listName}))
        return true;
    dialogs_.ShowError("Can't start the external player " + command + " !");
    return false;
}
