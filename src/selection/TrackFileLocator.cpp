#include "selection/TrackFileLocator.h"

#include "app/Config.h"
#include "app/Dialogs.h"
#include "util/NativePath.h"

#include <QFileInfo>

#include <algorithm>

bool TrackFileLocator::LocateTrackFile(QString &name) const
{
    // Slot 0 is the import slot. A slot with no text is never tried: the name would be looked
    // up in the working directory.
    for (int slot = 0; slot <= std::min(config_.CDPathCount, MaxCDPaths); ++slot) {
        const QString root = config_.CDPaths[slot].toQString();
        if (root.isEmpty())
            continue;
        const NativePath found = FindNativePath(root, name);
        if (found.found && QFileInfo(found.path).isFile()) {
            name = found.path;
            return true;
        }
    }
    return false;
}

bool TrackFileLocator::EnsureTrackFile(QString &name, const QString &cdId) const
{
    while (!LocateTrackFile(name)) {
        const int answer = dialogs_.MessageDlgFocus(name + " (cd " + cdId + ") not found.", MsgDlgType::Error,
                                                    ButtonSet({mbRetry, mbCancel}), 0, mbRetry);
        if (answer == mrCancel)
            return false;
    }
    return true;
}
