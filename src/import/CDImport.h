#pragma once
// The import of a CD, or of any directory tree: the user names the CD and the source directory,
// each directory with MP3 files is offered in an Import Tracks dialog, and the tracks accepted
// there become catalog tracks, measured at once, whose paths are relative to the source root.
// While the scan runs the source root is the import slot of the CD path list, so that the new
// files are found there even when the root is not a configured path.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

class Catalog;
class Dialogs;
class TrackMeasurement;
struct Config;
struct ImportedNames;
struct ImportFormats;

class CDImport {
public:
    // Batches of more files than this show the progress of their measurement.
    static constexpr int QuietBatchSize = 5;

    CDImport(Config &config, Catalog &catalog, TrackMeasurement &measurement, ImportFormats &formats,
             Dialogs &dialogs)
        : config_(config), catalog_(catalog), measurement_(measurement), formats_(formats), dialogs_(dialogs) {}

    // The whole command: the "Import new Tracks" dialog, the scan of the source tree with one Import
    // Tracks dialog per directory that holds MP3 files, the closing message and the re-sort.
    void ImportCDTracks1Click();
    // Whether some catalog track carries this CD ID. Stored IDs are compared without blanks and
    // leading zeros, the typed one as typed (cut to 20 characters); both without regard to the
    // case of a to z. So "7" finds a stored "007", but "007" does not find "7".
    bool CDIDExists(const QString &cdId) const;

private:
    // Offers the MP3 files of dir (a full path ending in "/"), then scans its sub-directories
    // when asked to, each real directory once.
    void ImportDirectory(const QString &dir);
    // One Import Tracks dialog for files of dir; relativeDir: dir below the source root as the
    // catalog stores it, "\" after each directory name.
    void ImportBatch(const QString &dir, const QString &relativeDir, const QStringList &fileNames);
    // Makes catalog tracks of the accepted rows, measures them and adds them in one step.
    void AddTracks(const QString &relativeDir, const std::vector<ImportedNames> &rows);

    Config &config_;
    Catalog &catalog_;
    TrackMeasurement &measurement_;
    ImportFormats &formats_;
    Dialogs &dialogs_;

    // The running import.
    QString cdId_;
    QString sourceRoot_;
    bool subDirs_ = true;
    bool aborted_ = false;
    // Device and inode of each directory scanned: a link back up the tree is not followed again.
    std::set<std::pair<uint64_t, uint64_t>> visited_;
};
