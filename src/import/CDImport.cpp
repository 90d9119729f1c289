#include "import/CDImport.h"

#include "app/Config.h"
#include "app/Dialogs.h"
#include "app/MalformedLines.h"
#include "app/ProgressView.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogLineFields.h"
#include "catalog/TSong.h"
#include "import/ImportInfoForm.h"
#include "import/ImportTracksForm.h"
#include "import/TrackMeasurement.h"
#include "util/LongPaths.h"
#include "util/ShortStrings.h"

#include <QDirIterator>
#include <QFile>

#include <memory>
#include <unordered_set>
#include <sys/stat.h>

namespace {
// Holds the source root in the import slot while the scan runs, and empties the slot however the
// scan ends.
class ImportSlot {
public:
    ImportSlot(Config &config, const QString &root) : config_(config)
    {
        config_.CDPaths[0] = ShortStr::fromQString(root);
    }
    ~ImportSlot() { config_.CDPaths[0] = ShortStr(); }
    ImportSlot(const ImportSlot &) = delete;
    ImportSlot &operator=(const ImportSlot &) = delete;

private:
    Config &config_;
};

bool IsMP3Name(const QString &name)
{
    return UpperCaseShort(GetFileExt(ShortStr::fromQString(name))) == "MP3";
}

// A catalog line keeps a path in its last field, with "\" between directories: a ";" or a line
// break would split or end the line, and a "\" inside a name would read back as a separator.
bool CanStorePath(const QString &nativeRelativePath)
{
    return !nativeRelativePath.contains('\\') && FitsLaterField(nativeRelativePath.toStdString());
}

ShortStr StrippedCDID(const ShortStr &stored)
{
    const ShortStr trimmed = TrimBlanks(stored);
    const size_t first = trimmed.chars().find_first_not_of(U'0');
    return first == std::u32string::npos ? ShortStr() : UpperCaseShort(trimmed.copy(static_cast<int>(first) + 1, ShortStr::MaxLen));
}
} // namespace

void CDImport::ImportCDTracks1Click()
{
    ImportInfoForm info(dialogs_);
    for (int slot = 1; slot <= config_.CDPathCount; ++slot)
        info.SourceItems << config_.CDPaths[slot].toQString();
    info.Source = info.SourceItems.value(0);
    dialogs_.ImportInfo(info);
    if (info.Choice() != ImportInfoForm::StartChoice)
        return;
    // Kept as typed: file names on this system are case-sensitive.
    const QString root = WithTrailingSeparator(TrimBlanks(ShortStr::fromQString(info.Source)).toQString());
    if (root.isEmpty())
        return;
    bool configured = false;
    for (int slot = 1; slot <= config_.CDPathCount; ++slot)
        configured = configured || WithTrailingSeparator(config_.CDPaths[slot].toQString()) == root;
    if (!configured)
        dialogs_.ShowInformation("The Selected path is not in the CD Path List.\rTracks will not be found for "
                                 "playing && copying, if path is not added!");
    if (CDIDExists(info.CDNum)
        && dialogs_.MessageBox(MsgDlgType::Confirmation, "CD ID Already Exists! Add to this CD ID ??",
                               ButtonSet({mbYes, mbNo}))
               != mrYes)
        return;

    cdId_ = info.CDNum;
    sourceRoot_ = root;
    subDirs_ = info.SubDirs;
    aborted_ = false;
    visited_.clear();
    {
        const ImportSlot slot(config_, root);
        ImportDirectory(root);
    }
    dialogs_.ShowInformation(aborted_ ? "Import Aborted!" : "Import Done.");
    catalog_.sorter().SortAgain();
}

bool CDImport::CDIDExists(const QString &cdId) const
{
    const ShortStr typed = UpperCaseShort(ShortStr::fromQString(cdId).left(CDIDLen));
    // A catalog has far fewer CD IDs than tracks, and equal ones are one interned string: each
    // is compared once.
    std::unordered_set<const std::string *> compared;
    for (const TSong *song : catalog_.all().songs()) {
        const std::string &stored = song->CDIDUtf8();
        if (compared.insert(&stored).second && StrippedCDID(ShortStr::fromUtf8(stored)) == typed)
            return true;
    }
    return false;
}

void CDImport::ImportDirectory(const QString &dir)
{
    if (aborted_)
        return;
    struct stat info {};
    if (::stat(QFile::encodeName(dir).constData(), &info) != 0
        || !visited_.insert({static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)}).second)
        return;

    // In the order the file system gives; a directory that cannot be read gives nothing. Only
    // plain files (or links to them) can be tracks: a dangling link or a pipe named ".mp3" would
    // only make the measuring ask for a CD that holds no such file.
    QStringList subDirs, files;
    QDirIterator entries(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        const QString name = entry.fileName();
        if (entry.isDir()) {
            if (!name.startsWith('.'))
                subDirs << name;
        } else if (entry.isFile() && IsMP3Name(name)) {
            files << name;
        }
    }
    const QString nativeRelativeDir = dir.mid(sourceRoot_.length());
    if (!files.isEmpty()) {
        QStringList storable, refused;
        for (const QString &name : files)
            (CanStorePath(nativeRelativeDir + name) ? storable : refused) << name;
        if (!refused.isEmpty())
            dialogs_.ShowInformation("These files are left out, because a catalog line cannot store a path that "
                                     "holds \";\", \"\\\" or a line break:\r"
                                     + nativeRelativeDir + refused.join("\r" + nativeRelativeDir));
        if (!storable.isEmpty())
            ImportBatch(dir, QString(nativeRelativeDir).replace(QChar(u'/'), u'\\'), storable);
    }
    if (!subDirs_)
        return;
    for (const QString &name : subDirs) {
        if (aborted_)
            return;
        ImportDirectory(WithTrailingSeparator(dir + name));
    }
}

void CDImport::ImportBatch(const QString &dir, const QString &relativeDir, const QStringList &fileNames)
{
    ImportTracksForm form(dialogs_, formats_, fileNames);
    form.ImportDir = ShortStr::fromQString(relativeDir);
    form.SourceDir = dir;
    form.Caption = "Import from " + relativeDir;
    dialogs_.ImportTracks(form);
    if (form.Choice() == ImportTracksForm::AddChoice)
        AddTracks(relativeDir, form.RowNames());
    else if (form.Choice() == ImportTracksForm::StopChoice)
        aborted_ = true;
}

void CDImport::AddTracks(const QString &relativeDir, const std::vector<ImportedNames> &rows)
{
    std::vector<std::unique_ptr<TSong>> songs;
    songs.reserve(rows.size());
    MalformedLines malformed(dialogs_);
    for (const ImportedNames &row : rows) {
        const ShortStr line = ShortStr::fromQString(cdId_) + "; 00:00; 00000000; " + row.artist + "; " + row.album
                              + "; " + row.track + "; " + ShortStr::fromQString(relativeDir + row.fileName);
        auto song = std::make_unique<TSong>();
        if (!song->ParseLine(line))
            malformed.report(line.toQString());
        songs.push_back(std::move(song));
    }
    malformed.finish();

    // A cancelled progress stops the measuring only: the tracks the user accepted are all added,
    // the rest unmeasured.
    const int count = static_cast<int>(songs.size());
    const std::unique_ptr<ProgressView> progress =
        count > QuietBatchSize ? dialogs_.Progress("Measuring tracks", count) : std::make_unique<HiddenProgress>();
    for (int i = 0; i < count && !progress->cancelRequested(); ++i) {
        progress->setProgress(i, rows[i].fileName);
        measurement_.MeasureTrack(*songs[i]);
    }

    catalog_.AddTracks(std::move(songs));
    if (count > 0)
        catalog_.setDBModified(true);
}
