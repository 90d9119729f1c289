#pragma once
// The catalog: every track record (owned here and released only here), the catalog list `all`,
// the key index, the current catalog file and its state, the totals line and the window caption
// that names it. Records are released only by DeleteTracks and ClearCatalog, which announce them
// first, so that every holder of a reference (selection list, playing track) lets go in time.

#include "catalog/CatalogSort.h"
#include "catalog/SongIndex.h"
#include "catalog/SongList.h"
#include "util/Collation.h"

#include <QIODevice>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class Dialogs;

class Catalog : public QObject {
    Q_OBJECT
public:
    // programDir: the program's directory; catalogs in it are named by file name alone.
    Catalog(Dialogs &dialogs, const QString &programDir, const QString &baseCaption, QObject *parent = nullptr);
    ~Catalog() override;

    SongList &all() { return all_; }
    const SongList &all() const { return all_; }
    const SongIndex &songIndex() const { return songIndex_; }
    const QString &DBFileName() const { return DBFileName_; }
    void setDBFileName(const QString &name) { DBFileName_ = name; }
    bool DBModified() const { return DBModified_; }
    void setDBModified(bool modified) { DBModified_ = modified; }

    // Sum of size div 100 over the tracks of the file last read (64 bits: a large catalog's
    // total would not fit in 32).
    int64_t DBSize100 = 0;
    // Off only where the reading alone is timed; the program always sorts after a load.
    bool sortOnLoad = true;

    // Takes the record: it becomes the last row of `all` and enters the key index.
    TSong *AddTrack(std::unique_ptr<TSong> song);
    // The same for a batch, at a cost that does not grow with the catalog.
    void AddTracks(std::vector<std::unique_ptr<TSong>> songs);
    // Announces the records, takes them out of `all` and the key index, and frees them.
    void DeleteTracks(const std::vector<TSong *> &tracks);
    // False (and nothing changed but the caption) when there is no such file or it is not a
    // regular file. A file that cannot be read to its end loads the tracks read before the
    // error, with an error message; it is then incomplete, and the next save asks first.
    bool LoadCatalog(const QString &name);
    // Writes atomically; on failure shows an error, leaves the file as it was and returns false.
    // Over a file that was read incompletely it writes only when the user confirms.
    bool SaveCatalog(const QString &name);
    bool readIncomplete() const { return !incompleteFile_.isEmpty(); }
    // Opens the catalog file's content for reading; tests put a failing device in its place.
    std::function<std::unique_ptr<QIODevice>(const QString &path)> openCatalogDevice;
    void ClearCatalog();
    void UpdateCaption();

    QString caption() const { return caption_; }
    QString allTotal() const { return allTotal_; }
    const Collation &collation() const { return collation_; }
    Dialogs &dialogs() const { return dialogs_; }
    CatalogSort &sorter() { return sorter_; }
    QString programDir() const { return programDir_; }

    static ShortStr TitleLine();
    static ShortStr RulerLine();
    // A save builds its lines in batches of this many, two batches at a time.
    static constexpr size_t SaveBatchLines = 2048;
    // A load reads and parses its lines in batches of this many.
    static constexpr size_t LoadBatchLines = 8192;
    static QString TotalsText(int files, int64_t size100, int64_t seconds);

signals:
    void captionChanged(const QString &caption);
    void allTotalChanged(const QString &text);
    // Emitted while the records are still whole, just before they are freed.
    void tracksReleasing(const std::vector<TSong *> &tracks);
    void allTracksReleasing();

private:
    // Puts records that the store holds already into `all` and the key index.
    void AddStored(std::vector<TSong *> added);
    void NoteReadEnd(const QString &name, bool failed);

    Dialogs &dialogs_;
    QString programDir_;
    QString caption_;
    QString allTotal_;
    Collation collation_;
    TrackStore store_;
    SongList all_;
    SongIndex songIndex_{store_};
    QString DBFileName_;
    bool DBModified_ = false;
    CatalogSort sorter_;
    QString incompleteFile_;
};
