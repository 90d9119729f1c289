#include "catalog/Catalog.h"

#include "app/Dialogs.h"
#include "catalog/KeyOrder.h"
#include "util/ShortStrings.h"
#include "util/TextFileWriter.h"
#include "util/TextLineReader.h"
#include "util/TimeText.h"

#include <cstdio>
#include <string>

Catalog::Catalog(Dialogs &dialogs, const ShortStr &programDir, const QString &baseCaption, QObject *parent)
    : QObject(parent), all(&TSong::CatalogRow, true), dialogs_(dialogs), programDir_(programDir),
      caption_(baseCaption), sorter_(all, collation_)
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

bool Catalog::LoadCatalog(const ShortStr &name)
{
    UpdateCaption();
    TextLineReader reader;
    const QString path = name.toQString();
    if (!reader.open(path, openCatalogDevice ? openCatalogDevice(path) : nullptr) && !reader.failed())
        return false;
    std::string line;
    reader.readLine(line);
    reader.readLine(line);

    ClearCatalog();
    DBModified = false;
    DBSize100 = 0;
    int64_t seconds = 0;
    std::vector<TSong *> songs;
    while (reader.readLine(line)) {
        auto *song = new TSong;
        song->ParseLine(ShortStr::fromUtf8(line), &dialogs_);
        DBSize100 += song->Size / 100;
        seconds += song->Seconds;
        songs.push_back(song);
    }
    songIndex.addAll(songs);
    const int files = static_cast<int>(songs.size());
    all.setSongs(std::move(songs));
    if (sortOnLoad)
        sorter_.Sort(SortKind::Artist, true);

    allTotal_ = TotalsText(files, DBSize100, seconds);
    emit allTotalChanged(allTotal_);
    NoteReadEnd(name, reader.failed());
    return true;
}

void Catalog::NoteReadEnd(const ShortStr &name, bool failed)
{
    incompleteFile_ = failed ? name.toQString() : QString();
    if (failed)
        dialogs_.ShowError("DataBase " + incompleteFile_
                           + " could not be read completely ! Only the tracks read before the error are shown.");
}

bool Catalog::SaveCatalog(const ShortStr &name)
{
    const QString path = name.toQString();
    if (path == incompleteFile_) {
        const int answer = dialogs_.MessageDlgFocus(
            "DataBase " + path + " could not be read completely. Saving replaces the whole file with the tracks shown."
                " Save anyway ?",
            MsgDlgType::Warning, ButtonSet({mbYes, mbNo}), 0, mbNo);
        if (answer != mrYes)
            return false;
    }
    const auto &rows = all.songs();
    for (const TSong *song : rows) {
        if (!song->CanWriteLine()) {
            dialogs_.ShowError("The track " + song->FileName().toQString() + " (cd " + song->CDID().toQString()
                               + ") can't be written so that it reads back the same. DataBase not saved.");
            return false;
        }
    }
    const std::vector<uint32_t> order = KeyOrder(rows.size(), [&](size_t i) { return rows[i]->ArtistKey(); }, collation_);

    TextFileWriter writer(path);
    if (writer.open()) {
        writer.writeLine(TitleLine().toUtf8());
        writer.writeLine(RulerLine().toUtf8());
        for (uint32_t i : order)
            writer.writeLine(rows[i]->CatalogLine().toUtf8());
    }
    if (!writer.commit()) {
        dialogs_.ShowError("Error saving DataBase to " + path + " !");
        return false;
    }
    if (path == incompleteFile_)
        incompleteFile_.clear();
    DBModified = false;
    return true;
}

void Catalog::ClearCatalog()
{
    std::vector<TSong *> songs = all.songs();
    all.clear();
    songIndex.clear();
    for (TSong *s : songs)
        delete s;
}

void Catalog::UpdateCaption()
{
    QString base = caption_;
    const int hyphen = base.indexOf('-');
    if (hyphen >= 0)
        base = TrimBlanks(ShortStr::fromQString(base.left(hyphen))).toQString();
    const ShortStr shown = GetDirPart(DBFileName) == programDir_ ? GetFileNamePart(DBFileName) : DBFileName;
    caption_ = base + " - " + UpperCaseShort(shown).toQString();
    emit captionChanged(caption_);
}
