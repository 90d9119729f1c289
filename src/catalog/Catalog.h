#pragma once
// The catalog: every track record (owned here), the catalog list `all`, the key index, the
// current catalog file and its state, the totals line and the window caption that names it.

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

class Dialogs;

class Catalog : public QObject {
    Q_OBJECT
public:
    // programDir: the program's directory; catalogs in it are named by file name alone.
    Catalog(Dialogs &dialogs, const ShortStr &programDir, const QString &baseCaption, QObject *parent = nullptr);
    ~Catalog() override;

    SongList all;
    SongIndex songIndex;
    ShortStr DBFileName;
    bool DBModified = false;
    // Sum of size div 100 over the tracks of the file last read (64 bits: a large catalog's
    // total would not fit in 32).
    int64_t DBSize100 = 0;
    // Off only where the reading alone is timed; the program always sorts after a load.
    bool sortOnLoad = true;

    // False (and nothing changed but the caption) when there is no such file or it is not a
    // regular file. A file that cannot be read to its end loads the tracks read before the
    // error, with an error message; it is then incomplete, and the next save asks first.
    bool LoadCatalog(const ShortStr &name);
    // Writes atomically; on failure shows an error, leaves the file as it was and returns false.
    // Over a file that was read incompletely it writes only when the user confirms.
    bool SaveCatalog(const ShortStr &name);
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
    ShortStr programDir() const { return programDir_; }

    static ShortStr TitleLine();
    static ShortStr RulerLine();
    static QString TotalsText(int files, int64_t size100, int64_t seconds);

signals:
    void captionChanged(const QString &caption);
    void allTotalChanged(const QString &text);

private:
    void NoteReadEnd(const ShortStr &name, bool failed);

    Dialogs &dialogs_;
    ShortStr programDir_;
    QString caption_;
    QString allTotal_;
    Collation collation_;
    CatalogSort sorter_;
    QString incompleteFile_;
};
