#include "util/TextLineReader.h"

#include "support/FailingDevice.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct Read {
    bool opened = false;
    QStringList lines;
    bool failed = false;
    TextFileState state = TextFileState::Missing;
};

Read ReadAll(const QString &path, std::unique_ptr<QIODevice> device = nullptr)
{
    TextLineReader reader;
    Read r;
    r.opened = reader.open(path, std::move(device));
    std::string line;
    while (reader.readLine(line))
        r.lines << QString::fromStdString(line);
    r.failed = reader.failed();
    r.state = reader.state();
    return r;
}
} // namespace

TEST(TextLineReader, ReadErrorIsNotTheEnd)
{
    // Lines read before a read error come out; a line cut off by the error does not.
    const QByteArray text = "one\r\ntwo\r\nthree\r\n";
    struct Case { const char *name; qint64 failAt; bool openFails; bool opened; QStringList lines; bool failed; };
    const Case cases[] = {
        {"no error", FailingDevice::Never, false, true, {"one", "two", "three"}, false},
        {"inside a line", 7, false, true, {"one"}, true},
        {"after a line end", 10, false, true, {"one", "two"}, true},
        {"between CR and LF", 9, false, true, {"one", "two"}, true},
        {"at once", 0, false, true, {}, true},
        {"cannot open", FailingDevice::Never, true, false, {}, true},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("c.lst");
    WriteFileBytes(path, text);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Read r = ReadAll(path, std::make_unique<FailingDevice>(text, c.failAt, c.openFails));
        EXPECT_EQ(r.opened, c.opened);
        EXPECT_EQ(r.lines, c.lines);
        EXPECT_EQ(r.failed, c.failed);
    }
}

TEST(TextLineReader, FileIsUtf8OrElseWindows1252)
{
    // The whole file decides, up to a Ctrl+Z; its last character may be of several bytes.
    struct Case { const char *name; QByteArray text; QStringList lines; };
    const Case cases[] = {
        {"UTF-8 with a line end", "Caf\xc3\xa9\r\n", {"Caf\u00e9"}},
        {"UTF-8 ending in two bytes", "x\r\nCaf\xc3\xa9", {"x", "Caf\u00e9"}},
        {"UTF-8 ending in three bytes", "1 \xe2\x82\xac", {"1 \u20ac"}},
        {"UTF-8 ending in four bytes", "\xf0\x9f\x8e\xb5", {"\U0001f3b5"}},
        {"UTF-8 ending before a Ctrl+Z", "Caf\xc3\xa9\x1a\xe9", {"Caf\u00e9"}},
        {"Windows-1252", "Caf\xe9\r\n\x80", {"Caf\u00e9", "\u20ac"}},
        {"ending in a cut sequence", "Caf\xc3", {"Caf\u00c3"}},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("t.lst");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(path, c.text);
        EXPECT_EQ(ReadAll(path).lines, c.lines);
    }
}

TEST(TextLineReader, OnlyRegularFilesAreRead)
{
    // A pipe or a device would never end: refused without opening, so nothing waits.
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.lst");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    WriteFileBytes(dir.filePath("file.lst"), "a\r\n");
    struct Case { QString path; TextFileState state; };
    const Case cases[] = {
        {dir.filePath("file.lst"), TextFileState::Readable}, {dir.filePath("none.lst"), TextFileState::Missing},
        {QString(), TextFileState::Missing},                 {dir.path(), TextFileState::NotRegularFile},
        {fifo, TextFileState::NotRegularFile},               {"/dev/zero", TextFileState::NotRegularFile},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(CheckTextFile(c.path), c.state);
        const Read r = ReadAll(c.path);
        EXPECT_EQ(r.state, c.state);
        EXPECT_EQ(r.opened, c.state == TextFileState::Readable);
        EXPECT_FALSE(r.failed);
    }
}

TEST(TextLineReader, UnreadableFileFailsAtOnce)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads a file of mode 0200; the device that cannot be opened in "
                        "ReadErrorIsNotTheEnd covers the same path";
    QTemporaryDir dir;
    const QString path = dir.filePath("w.lst");
    WriteFileBytes(path, "a\r\n");
    ASSERT_EQ(chmod(path.toLocal8Bit().constData(), 0200), 0);
    const Read r = ReadAll(path);
    EXPECT_EQ(r.state, TextFileState::Unreadable);
    EXPECT_FALSE(r.opened);
    EXPECT_TRUE(r.failed);
}
