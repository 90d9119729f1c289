#include "selection/SelectionFile.h"
#include "selection/SelectionHelpers.h"
#include "support/FailingDevice.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>

namespace {
struct SelectionFiles : SelectionFixture {
    QTemporaryDir dir;
    SelectionFile file{catalog, selection, dialogs};
    const QString listPath = dir.filePath("list.m3c");
    const QString dialogText = "Select CD List FileName|MP3 CD List (*.m3c)";

    void SetUp() override
    {
        addTracks({"A", "B", "C", "Café"});
        auto t = std::make_unique<TSong>();
        t->ParseLine("ROCK07; 01:00; 100; Blues; Al; T; BLUES\\SONG.MP3");
        catalog.AddTrack(std::move(t));
    }
    // The list holds these tracks, unsaved, and nothing was asked yet.
    void unsaved(const QStringList &names)
    {
        fillSelection(names);
        selection.setSelModified(true);
    }
};
} // namespace

// The rows marked written are what the list writes for these tracks; every file reads as its tracks.
TEST_F(SelectionFiles, WrittenAndRead)
{
    struct Case { const char *name; bool written; QByteArray bytes; QString names; };
    const Case cases[] = {
        {"written", true, "ROCK07\tBLUES\\SONG.MP3\r\nCD1\tC.mp3\r\nCD1\tCaf\xc3\xa9.mp3\r\nCD1\tA.mp3\r\n",
         "Blues,C,Café,A"},
        {"empty list written", true, "", ""},
        {"letter case differs", false, "cd1\ta.MP3\r\nrock07\tblues\\song.mp3\r\n", "A,Blues"},
        {"unknown, empty and blank lines", false, "CD1\tA.mp3\r\nCD9\tA.mp3\r\n\r\n \r\nCD1\tC.mp3\r\n", "A,C"},
        {"a track named again", false, "CD1\tB.mp3\r\nCD1\tA.mp3\r\ncd1\tb.mp3\r\nCD1\tB.mp3\r\n", "B,A"},
        {"LF line ends, none after the last", false, "CD1\tC.mp3\nCD1\tA.mp3", "C,A"},
        {"Windows-1252", false, "CD1\tCaf\xe9.mp3\r\nCD1\tA.mp3\r\n", "Café,A"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList tracks = c.names.isEmpty() ? QStringList() : c.names.split(',');
        if (c.written) {
            unsaved(tracks);
            ASSERT_TRUE(file.WriteSelectionFile(listPath));
            EXPECT_EQ(ReadFileBytes(listPath), c.bytes);
            EXPECT_FALSE(selection.SelModified());
        } else {
            WriteFileBytes(listPath, c.bytes);
        }
        unsaved({"C", "B"});
        ASSERT_TRUE(file.ReadSelectionFile(listPath));
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(sel), c.names);
        EXPECT_FALSE(selection.SelModified());
        EXPECT_TRUE(selection.total().startsWith(QString("Total %1 files,").arg(tracks.size())));
        EXPECT_TRUE(dialogs.asked.empty());
    }
}

TEST_F(SelectionFiles, ReadFailures)
{
    const QByteArray bytes = "CD1\tA.mp3\r\nCD1\tB.mp3\r\nCD1\tC.mp3\r\n";
    WriteFileBytes(listPath, bytes);
    struct Case { const char *name; QString path; qint64 failAt; QString names; bool modified; };
    const Case cases[] = {
        // Cleared before the file is opened; the flag stays as it was.
        {"missing file", dir.filePath("none.m3c"), FailingDevice::Never, "", true},
        // What was read before the error stays, numbered.
        {"read error in the second line", listPath, bytes.indexOf("CD1\tB") + 2, "A", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        file.openListDevice = [&](const QString &) { return std::make_unique<FailingDevice>(bytes, c.failAt); };
        unsaved({"C"});
        EXPECT_FALSE(file.ReadSelectionFile(c.path));
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(sel), c.names);
        EXPECT_EQ(selection.SelModified(), c.modified);
        EXPECT_TRUE(dialogs.asked.empty());
    }
}

TEST_F(SelectionFiles, Save1Click)
{
    // A name longer than 80 characters is used whole.
    const QString longName = dir.filePath(QString(90, 'n') + ".m3c");
    const QString missingDir = dir.filePath("none/list.m3c");
    const QByteArray old = "CD1\tC.mp3\r\n";
    struct Case { const char *name; QString chosen; rlim_t sizeLimit; SaveResult result; };
    const Case cases[] = {
        {"cancelled", QString(), RLIM_INFINITY, SaveResult::Cancelled},
        {"saved", longName, RLIM_INFINITY, SaveResult::Saved},
        {"directory missing", missingDir, RLIM_INFINITY, SaveResult::Failed},
        // The write fails as on a full disk: the old file stays as it was.
        {"write fails over an old file", listPath, 4, SaveResult::Failed},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(listPath, old);
        unsaved({"B", "A"});
        dialogs.texts = {c.chosen};
        SaveResult result;
        {
            const FileSizeLimit limit(c.sizeLimit);
            result = file.Save1Click();
        }
        EXPECT_EQ(result, c.result);
        ASSERT_GE(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].kind, "SaveFileName");
        EXPECT_EQ(dialogs.asked[0].text, dialogText);
        EXPECT_TRUE(dialogs.asked[0].confirmOverwrite);
        EXPECT_EQ(dialogs.defaultExts.last(), "m3c");
        // Only a list on disk counts as saved; otherwise the next question still offers to save.
        EXPECT_EQ(selection.SelModified(), c.result != SaveResult::Saved);
        EXPECT_EQ(names(sel), "B,A");
        if (c.result == SaveResult::Failed) {
            ASSERT_EQ(dialogs.asked.size(), 2u);
            EXPECT_EQ(dialogs.asked[1].text, "Error saving list to " + c.chosen + " !");
            EXPECT_EQ(dialogs.asked[1].type, MsgDlgType::Information);
            EXPECT_EQ(dialogs.asked[1].buttons, ButtonSet({mbOK}));
        } else {
            EXPECT_EQ(dialogs.asked.size(), 1u);
        }
        EXPECT_EQ(ReadFileBytes(listPath), old);
        EXPECT_EQ(QFileInfo::exists(longName), c.result == SaveResult::Saved);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.result == SaveResult::Saved ? 2 : 1);
        QFile::remove(longName);
    }
}

TEST_F(SelectionFiles, Load1Click)
{
    const QString question = "List is not saved. Load anyway ?";
    const QString bad = dir.filePath("none.m3c");
    WriteFileBytes(listPath, "CD1\tC.mp3\r\nCD1\tA.mp3\r\n");
    struct Case { const char *name; bool modified; int answer; QString chosen; QString names; QStringList after; };
    const Case cases[] = {
        {"unsaved, No", true, mrNo, QString(), "B", {question}},
        {"unsaved, Yes", true, mrYes, listPath, "C,A", {question, dialogText}},
        {"unsaved, question closed", true, mrCancel, listPath, "C,A", {question, dialogText}},
        {"saved: no question", false, mrNone, listPath, "C,A", {dialogText}},
        {"file dialog cancelled", false, mrNone, QString(), "B", {dialogText}},
        {"unreadable file", false, mrNone, bad, "", {dialogText, "Error loading list from " + bad + " !"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        fillSelection({"B"});
        selection.setSelModified(c.modified);
        if (c.modified)
            dialogs.results = {c.answer};
        dialogs.texts = {c.chosen};
        file.Load1Click();
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(sel), c.names);
        EXPECT_EQ(dialogs.textsAsked(), c.after);
        if (c.modified) {
            EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Confirmation);
            EXPECT_EQ(dialogs.asked[0].buttons, ButtonSet({mbYes, mbNo}));
        }
        if (c.chosen == bad) {
            EXPECT_EQ(dialogs.asked.back().type, MsgDlgType::Information);
        }
        if (c.after.contains(dialogText)) {
            EXPECT_EQ(dialogs.defaultExts.last(), "m3c");
        }
        dialogs.texts.clear();
    }
}
