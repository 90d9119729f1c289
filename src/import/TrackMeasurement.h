#pragma once
// Measures a track from its MP3 file: the size from the file system, the play time from the
// length that the player component reports when it opens the file. Used for each new track of
// an import and by the catalog run over existing tracks.

#include <QString>
#include <cstdint>

class Catalog;
class TMPEGPlayer;
class TSong;
class TrackFileLocator;

// The size in bytes of a plain file, -1 when there is none: a missing path, a directory, a device
// or pipe, and a hidden file (its name begins with ".") are not track files.
int64_t FileSizeOf(const QString &path);

class TrackMeasurement {
public:
    TrackMeasurement(const TrackFileLocator &locator, TMPEGPlayer &player, Catalog &catalog)
        : locator_(locator), player_(player), catalog_(catalog) {}

    // Sets the track's size and play time; true when both were set. The user may be asked for
    // the CD while the file is missing; a cancelled question, a missing or empty file change
    // nothing. A file that does not open keeps its play time, but its size is set. The file stays
    // open in the player until its stream is set again or closed.
    bool MeasureTrack(TSong &track);

private:
    const TrackFileLocator &locator_;
    TMPEGPlayer &player_;
    Catalog &catalog_;
};
