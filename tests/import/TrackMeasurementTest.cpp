// The size and play time of one track, from generated MP3 files and from files that are none.

#include "import/MeasurementFixture.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

namespace {
using Measurement = MeasurementFixture;
}

TEST_F(Measurement, SizeAndWholeSecondsFromTheFile)
{
    // Its full name is longer than a short string; the stored name is not.
    const QString deep = QString(100, 'd') + "/" + QString(100, 'e') + "/" + QString(40, 'f') + "/a.mp3";
    struct Case {
        const char *what;
        QString name;             // stored and on the CD path
        QString source;           // a file copied there; empty: `bytes` written there
        QByteArray bytes;
        std::deque<int> answers;  // to "not found": then a source is put there at the first question only
        bool measured;
        bool sizeSet;             // also when the file did not open
        QString playTime;
    };
    const Case cases[] = {
        // First, while the player has opened nothing.
        {"missing, Cancel", "m.mp3", {}, {}, {mrCancel}, false, false, OldPlayTime},
        {"missing, Retry and Cancel", "m.mp3", {}, {}, {mrRetry, mrCancel}, false, false, OldPlayTime},
        {"put there when asked, Retry", "n.mp3", Mp3OfLength(60, false), {}, {mrRetry}, true, true, "01:00"},
        {"CBR of 59 s", "a.mp3", Mp3OfLength(59, false), {}, {}, true, true, "00:59"},
        {"CBR of 60 s", "a.mp3", Mp3OfLength(60, false), {}, {}, true, true, "01:00"},
        {"VBR of 59 s", "a.mp3", Mp3OfLength(59, true), {}, {}, true, true, "00:59"},
        {"VBR of 60 s", "a.mp3", Mp3OfLength(60, true), {}, {}, true, true, "01:00"},
        {"no MPEG audio", "a.mp3", {}, QByteArray(5000, 'x'), {}, false, true, OldPlayTime},
        {"0 bytes", "a.mp3", {}, {}, {}, false, false, OldPlayTime},
        {"a hidden file", ".a.mp3", Mp3OfLength(59, false), {}, {}, false, false, OldPlayTime},
        {"a long full name", deep, Mp3OfLength(59, true), {}, {}, true, true, "00:59"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        catalog.setDBModified(false);
        dialogs.asked.clear();
        dialogs.results = c.answers;
        dialogs.onQuestion = nullptr;
        if (c.answers.empty() && c.source.isEmpty())
            WriteFileBytes(path(c.name), c.bytes);
        else if (c.answers.empty())
            put(c.name, c.source);
        else if (!c.source.isEmpty())
            dialogs.onQuestion = [&] { put(c.name, c.source); };
        TSong *track = addTrack(c.name);

        EXPECT_EQ(measurement.MeasureTrack(*track), c.measured);
        EXPECT_EQ(dialogs.textsAsked(), QStringList(int(c.answers.size()), c.name + " (cd CD7) not found."));
        EXPECT_EQ(track->Size, c.sizeSet ? QFileInfo(path(c.name)).size() : OldSize);
        EXPECT_EQ(track->PlayTime().toQString(), c.playTime);
        EXPECT_EQ(track->Seconds, c.measured ? c.playTime.left(2).toInt() * 60 + c.playTime.mid(3).toInt() : OldSeconds);
        EXPECT_EQ(catalog.DBModified(), c.sizeSet);
        // The file stays open for playback until the stream changes.
        EXPECT_EQ(player.Opened(), c.measured);
        if (c.measured) {
            EXPECT_EQ(player.StreamName(), path(c.name));
        }
    }
}

TEST(FileSizeOf, OnlyPlainVisibleFilesHaveASize)
{
    QTemporaryDir dir;
    const auto at = [&](const QString &name) { return dir.filePath(name); };
    WriteFileBytes(at("a.mp3"), "12345");
    WriteFileBytes(at(".x.mp3"), "12345");
    QDir().mkpath(at("d.mp3"));
    QDir().mkpath(at(".hidden"));
    WriteFileBytes(at(".hidden/a.mp3"), "12345");
    WriteFileBytes(at("ro.mp3"), "12345");
    QFile::setPermissions(at("ro.mp3"), QFile::ReadOwner);
    ASSERT_EQ(mkfifo(QFile::encodeName(at("p.mp3")).constData(), 0600), 0);
    QFile::link(at("a.mp3"), at("l.mp3"));
    QFile::link(at("d.mp3"), at("ld.mp3"));
    QFile big(at("big.mp3"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(int64_t(3) << 30));  // sparse
    big.close();
    struct Case {
        const char *name;
        int64_t size;
    };
    const Case cases[] = {
        {"a.mp3", 5}, {".x.mp3", -1}, {"d.mp3", -1}, {".hidden/a.mp3", 5}, {"ro.mp3", 5}, {"p.mp3", -1},
        {"missing.mp3", -1}, {"l.mp3", 5}, {"ld.mp3", -1}, {"big.mp3", int64_t(3) << 30},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FileSizeOf(at(c.name)), c.size) << c.name;
}
