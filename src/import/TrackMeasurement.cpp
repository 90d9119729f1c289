#include "import/TrackMeasurement.h"

#include "catalog/Catalog.h"
#include "catalog/TSong.h"
#include "player/TMPEGPlayer.h"
#include "selection/TrackFileLocator.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

int64_t FileSizeOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.fileName().startsWith('.'))
        return -1;
    return info.size();
}

bool TrackMeasurement::MeasureTrack(TSong &track)
{
    QString path = track.GetFileName().toQString();
    if (!locator_.EnsureTrackFile(path, track.CDID().toQString()))
        return false;
    const int64_t size = FileSizeOf(path);
    if (size <= 0)
        return false;
    // The record keeps 32 bits; a larger file keeps the largest size it can hold.
    track.Size = static_cast<int32_t>(std::min<int64_t>(size, std::numeric_limits<int32_t>::max()));
    bool opened = true;
    try {
        player_.SetStreamName(path);
        player_.Open();
        track.SetPlayTime(player_.TrackLen() / 1000);
    } catch (const TMPEGError &) {
        opened = false;
    }
    catalog_.setDBModified(true);
    return opened;
}
