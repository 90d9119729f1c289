#pragma once
// Finds a track's file on the CD path list: the import slot while an import runs, then the
// configured paths in their order. The configuration is read at each call, so paths changed in
// Setup are in force at once.

#include <QString>

struct Config;
class Dialogs;

class TrackFileLocator {
public:
    TrackFileLocator(const Config &config, Dialogs &dialogs) : config_(config), dialogs_(dialogs) {}

    // name: on entry the stored file name (relative, "\" between directories); when found, the
    // native full name of the file. Only a regular file is found: a directory or a device by the
    // track's name is not its MP3 file, and reading a pipe would never end.
    bool LocateTrackFile(QString &name) const;
    // Like LocateTrackFile, but while the file is missing it asks the user to insert the CD,
    // Retry or Cancel; false when the user gave up.
    bool EnsureTrackFile(QString &name, const QString &cdId) const;

private:
    const Config &config_;
    Dialogs &dialogs_;
};
