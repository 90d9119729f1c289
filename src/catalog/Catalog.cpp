#include "catalog/Catalog.h"

#include "app/MalformedLines.h"

#include "app/Dialogs.h"
#include "catalog/KeyOrder.h"
#include "util/LargeBlock.h"
#include "util/LongPaths.h"
#include "util/RunInParts.h"
#include "util/ShortStrings.h"
#include "util/TextBlocks.h"
#include "util/TextFileWriter.h"
#include "util/TextLineReader.h"
#include "util/TimeText.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <unordered_set>

namespace {
// The bytes of texts that a load keeps backed ahead of its parse: two batches of usual lines.
constexpr size_t LoadAheadBytes = size_t(4) << 20;

// The catalog lines of a stretch of the save order, each with its line end, built apart from
// the writer so that two stretches can be built at once.
struct LineBatch {
    void build(const std::vector<TSong *> &rows, const uint32_t *begin, const uint32_t *end,
               std::string_view lineEnd)
    {
        lines.clear();
        unwritable = nullptr;
        for (const uint32_t *i = begin; i < end; ++i) {
            if (!rows[*i]->AppendCatalogLineUtf8(lines)) {
                unwritable = rows[*i];
                return;
            }
            lines += lineEnd;
        }
    }

    std::string lines;
    const TSong *unwritable = nullptr;  // the record the stretch stopped at
};

// A stretch of the lines of a catalog file, each parsed into its record as it is read: the
// records are made beforehand, as the key index may look records up in the store meanwhile.
struct ParseBatch {
    // `lines` new records from store.
    void createRecords(TrackStore &store, size_t lines)
    {
        songs.clear();
        for (size_t k = 0; k < lines; ++k)
            songs.push_back(store.create());
    }

    // Reads a line into each record; false at the end of the file, with the records that got no
    // line left in `unused`.
    bool read(TextLineReader &reader)
    {
        malformed.clear();
        bytes = 0;
        std::string_view line;
        for (size_t k = 0; k < songs.size(); ++k) {
            if (!reader.readLine(line)) {
                unused.assign(songs.begin() + static_cast<std::ptrdiff_t>(k), songs.end());
                songs.resize(k);
                return false;
            }
            bytes += line.size() + 1;
            if (!songs[k]->ParseUtf8Line(line))
                malformed.emplace_back(line);
        }
        return true;
    }

    std::vector<TSong *> songs;  // the record of each line
    std::vector<TSong *> unused;  // records made for lines after the end of the file
    size_t bytes = 0;  // the bytes of the lines read, one for each line end
    std::vector<std::string> malformed;  // the lines that are no whole catalog line
};
} // namespace

Catalog::Catalog(Dialogs &dialogs, const QString &programDir, const QString &baseCaption, QObject *parent)
    : QObject(parent), dialogs_(dialogs), programDir_(programDir), caption_(baseCaption),
      all_(&TSong::CatalogRow, true), sorter_(all_, collation_)
{
}

Catalog::~Catalog()
{
    ClearCatalog();
}

ShortStr Catalog::TitleLine()
{
    return PadRight(PadRight(PadRight(PadRight("CD#", 12) + "Time", 19) + "Size", 29) + "Artist - CD Name - Song", 114)
           + "Full path Name on CD";
}

ShortStr Catalog::RulerLine()
{
    auto dashes = [](int n) { return PadRightWith("", U'-', n); };
    return dashes(11) + " " + dashes(5) + "  " + dashes(8) + "  " + dashes(83) + "  " + dashes(95);
}

QString Catalog::TotalsText(int files, int64_t size100, int64_t seconds)
{
    const double mb = static_cast<double>(size100) * 100.0 / 1048576.0;
    char mbText[64];
    std::snprintf(mbText, sizeof mbText, "%6.0f", mb);
    const auto h = static_cast<int32_t>(seconds / 3600);
    return QString::number(files) + " files, " + mbText + "MB, "
           + (IntToZeroPadded(h, 2) + ":" + MinutesSeconds(seconds % 3600)).toQString()
           + " total.";
}

TSong *Catalog::AddTrack(std::unique_ptr<TSong> song)
{
    TSong *t = store_.add(std::move(song));
    all_.append(t);
    songIndex_.add(t);
    return t;
}

void Catalog::AddTracks(std::vector<std::unique_ptr<TSong>> songs)
{
    std::vector<TSong *> added;
    added.reserve(songs.size());
    for (auto &s : songs)
        added.push_back(store_.add(std::move(s)));
    AddStored(std::move(added));
}

void Catalog::AddStored(std::vector<TSong *> added)
{
    songIndex_.addAll(added);
    if (all_.count() == 0) {
        all_.setSongs(std::move(added));
        return;
    }
    // Appending keeps the current row, the selection and the top row of the list.
    for (TSong *t : added)
        all_.append(t);
}

void Catalog::DeleteTracks(const std::vector<TSong *> &tracks)
{
    if (tracks.empty())
        return;
    emit tracksReleasing(tracks);
    const std::unordered_set<const TSong *> gone(tracks.begin(), tracks.end());
    std::vector<TSong *> kept;
    kept.reserve(all_.songs().size());
    for (TSong *t : all_.songs())
        if (!gone.count(t))
            kept.push_back(t);
    // One pass over the list, the index and the store, so deleting many tracks stays linear.
    const int top = all_.topRow();
    all_.setSongs(std::move(kept));
    all_.setTopRow(top);
    songIndex_.removeAll(tracks);
    for (const TSong *t : gone)
        store_.release(t);
}

bool Catalog::LoadCatalog(const QString &name)
{
    UpdateCaption();
    TextLineReader reader;
    if (!reader.open(name, openCatalogDevice ? openCatalogDevice(name) : nullptr) && !reader.failed())
        return false;
    std::string_view line;
    reader.readLine(line);
    reader.readLine(line);

    ClearCatalog();
    DBModified_ = false;
    DBSize100 = 0;
    int64_t seconds = 0;
    std::vector<TSong *> songs;
    MalformedLines malformed(dialogs_);
    // Lines are read and parsed in batches. While this core reads and parses, another one puts
    // the records of the batches before into the key index. The malformed lines are told in the
    // order of the file.
    const auto fileBytes = static_cast<size_t>(std::max<qint64>(reader.size(), 0));
    ParseBatch batch;
    // A batch of records, or fewer for a file too small for as many catalog lines (each takes at
    // least 25 bytes): those that get no line are given back.
    batch.createRecords(store_, std::min(LoadBatchLines, fileBytes / 25 + 1));
    size_t expected = 0;  // the tracks that the first batch promises
    size_t indexed = 0;   // songs[0, indexed) are in the key index
    size_t readBytes = 0;  // the bytes of the batches before
    // A small file is read sooner than a thread is started.
    const size_t parts = fileBytes >= 64 * 1024 ? 2 : 1;
    for (bool more = true; more;) {
        std::atomic<bool> parsed{false};
        RunInParts(parts, [&](size_t part) {
            if (part == 1 || parts == 1) {
                if (indexed == 0 && !songs.empty()) {
                    songIndex_.reserve(expected);
                    BackLargeBuffer(songs.data(), expected * sizeof(TSong *));
                }
                songIndex_.addAll(songs, indexed);
                // Until the parse on the other core is done, the memory that it and the next
                // batch's records write first is backed here: the system's clearing of new pages
                // may cost as much as the parse itself. What is not backed in time the parse
                // backs itself, as it writes. A text takes less than its line, and no more is
                // backed than the rest of the file needs.
                const size_t aheadBytes = std::min(fileBytes - std::min(fileBytes, readBytes), LoadAheadBytes);
                while (parts > 1 && !parsed
                       && (TextBlocks::Prepare(aheadBytes) || store_.prepare(LoadBatchLines))) {
                }
            }
            if (part == 0) {
                // The parse makes a text block for nearly every line.
                const TextBlocks::Run textRun;
                more = batch.read(reader);
                parsed = true;
            }
        });
        // Not while the index is filled: it looks records up in the store.
        for (TSong *song : batch.unused)
            store_.release(song);
        readBytes += batch.bytes;
        indexed = songs.size();
        if (indexed == 0 && more) {
            // The index and the list are sized at once for what the first batch promises, as
            // each growth would move every entry. A line takes at least one byte for its end
            // and a catalog line 24 more, which bounds the guess.
            expected = batch.songs.size() * fileBytes / batch.bytes;
            expected = std::min(expected + expected / 8, fileBytes / 25);
            songs.reserve(expected);
        }
        for (const std::string &text : batch.malformed)
            malformed.report(ShortStr::fromUtf8(text).toQString());
        for (TSong *song : batch.songs) {
            DBSize100 += song->Size / 100;
            seconds += song->Seconds;
        }
        songs.insert(songs.end(), batch.songs.begin(), batch.songs.end());
        if (more)
            batch.createRecords(store_, LoadBatchLines);
    }
    // What was backed for lines that the file did not hold goes back to the system.
    TextBlocks::DropPrepared();
    store_.dropPrepared();
    malformed.finish();
    const int files = static_cast<int>(songs.size());
    songIndex_.addAll(songs, indexed);
    all_.setSongs(std::move(songs));
    if (sortOnLoad)
        sorter_.Sort(SortKind::Artist, true);

    allTotal_ = TotalsText(files, DBSize100, seconds);
    emit allTotalChanged(allTotal_);
    NoteReadEnd(name, reader.failed());
    return true;
}

void Catalog::NoteReadEnd(const QString &name, bool failed)
{
    incompleteFile_ = failed ? name : QString();
    if (failed)
        dialogs_.ShowError("DataBase " + incompleteFile_
                           + " could not be read completely ! Only the tracks read before the error are shown.");
}

bool Catalog::SaveCatalog(const QString &path)
{
    if (path == incompleteFile_) {
        const int answer = dialogs_.MessageDlgFocus(
            "DataBase " + path + " could not be read completely. Saving replaces the whole file with the tracks shown."
                " Save anyway ?",
            MsgDlgType::Warning, ButtonSet({mbYes, mbNo}), 0, mbNo);
        if (answer != mrYes)
            return false;
    }
    const auto &rows = all_.songs();
    const std::vector<uint32_t> order = KeyOrder(
        rows.size(), KeyTextFn([&](size_t i, Utf16Text &text) { rows[i]->AppendArtistKey(text); }), collation_);

    TextFileWriter writer(path);
    if (writer.open()) {
        writer.writeLine(TitleLine().toUtf8());
        writer.writeLine(RulerLine().toUtf8());
        // Each record is checked as its line is built, so the save reads the catalog once; the
        // writer leaves the file as it was when one cannot be written. Lines are built in
        // batches, two at a time, one on another core, while this core also writes the two
        // built before.
        const size_t batchCount = (order.size() + SaveBatchLines - 1) / SaveBatchLines;
        LineBatch batches[4];
        const TSong *unwritable = nullptr;
        auto build = [&](size_t b) {
            const size_t from = b * SaveBatchLines;
            batches[b % 4].build(rows, order.data() + from,
                                 order.data() + std::min(order.size(), from + SaveBatchLines), writer.lineEndText());
        };
        auto write = [&](size_t b) {
            const LineBatch &batch = batches[b % 4];
            unwritable = batch.unwritable;
            if (!unwritable)
                writer.writeLines(batch.lines);
        };
        for (size_t b = 0; b < batchCount + 2 && !unwritable; b += 2) {
            RunInParts(b + 1 < batchCount ? 2 : 1, [&](size_t part) {
                if (part == 1) {
                    build(b + 1);
                    return;
                }
                for (size_t w = b >= 2 ? b - 2 : b; w < b && w < batchCount && !unwritable; ++w)
                    write(w);
                if (b < batchCount)
                    build(b);
            });
        }
        if (unwritable) {
            dialogs_.ShowError("The track " + unwritable->FileName().toQString() + " (cd "
                               + unwritable->CDID().toQString()
                               + ") can't be written so that it reads back the same. DataBase not saved.");
            return false;
        }
    }
    if (!writer.commit()) {
        dialogs_.ShowError("Error saving DataBase to " + path + " !");
        return false;
    }
    if (path == incompleteFile_)
        incompleteFile_.clear();
    DBModified_ = false;
    return true;
}

void Catalog::ClearCatalog()
{
    emit allTracksReleasing();
    all_.clear();
    songIndex_.clear();
    store_.clear();
}

void Catalog::UpdateCaption()
{
    QString base = caption_;
    const int hyphen = base.indexOf('-');
    if (hyphen >= 0)
        base = TrimBlanks(ShortStr::fromQString(base.left(hyphen))).toQString();
    const QString shown = DirPartOf(DBFileName_) == programDir_ ? FileNamePartOf(DBFileName_) : DBFileName_;
    caption_ = base + " - " + UpperCaseAtoZ(shown);
    emit captionChanged(caption_);
}
