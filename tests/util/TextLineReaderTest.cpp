#include "util/TextLineReader.h"

#include "support/FailingDevice.h"
#include "support/TempDir.h"
#include "util/Utf8.h"

#include <QFile>
#include <gtest/gtest.h>
#include <random>
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

// Gives at most chunk bytes per read, as a read may: the reader's chunk ends, else met only in
// files of megabytes, fall inside short texts.
class ChunkedDevice : public FailingDevice {
public:
    ChunkedDevice(QByteArray data, qint64 failAt, qint64 chunk) : FailingDevice(std::move(data), failAt), chunk_(chunk) {}

protected:
    qint64 readData(char *out, qint64 max) override { return FailingDevice::readData(out, std::min(max, chunk_)); }

private:
    qint64 chunk_;
};

struct Lines {
    std::vector<std::string> lines;
    bool failed = false;
};

// A plain split: the text ends at the first Ctrl+Z, else at a read error, which drops the line it
// cuts off; it is Windows-1252 when it is not UTF-8.
Lines ReferenceLines(std::string_view bytes, qint64 failAt, size_t maxLineBytes)
{
    const std::string_view readable = failAt == FailingDevice::Never ? bytes : bytes.substr(0, failAt);
    const std::string_view text = readable.substr(0, readable.find('\x1a'));
    Lines r;
    r.failed = failAt != FailingDevice::Never && text.size() == readable.size();
    const bool cp1252 = !IsValidUtf8(text);
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        if (end == text.size() && r.failed)
            break;
        const std::string line(text.substr(start, std::min(end - start, maxLineBytes)));
        r.lines.push_back(cp1252 ? Cp1252ToUtf8(line) : line);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return r;
}

// Reads with both kinds of readLine, picked by random for each line.
Lines ReadLines(const QString &path, const std::string &bytes, qint64 failAt, qint64 chunk, size_t maxLineBytes,
                std::mt19937 &random)
{
    TextLineReader reader(maxLineBytes);
    reader.open(path, std::make_unique<ChunkedDevice>(QByteArray::fromStdString(bytes), failAt, chunk));
    Lines r;
    std::string line;
    std::string_view view;
    while (random() % 2 ? reader.readLine(line) : (reader.readLine(view) && (line = view, true)))
        r.lines.push_back(line);
    r.failed = reader.failed();
    return r;
}
} // namespace

TEST(TextLineReader, LinesAreThoseOfAPlainSplit)
{
    // Line ends are found a word at a time: each kind of end (and a tab, which is none) at every
    // place in a word and in a chunk, in UTF-8 and in Windows-1252 text, with lines cut short or
    // not; then random texts, chunks and read errors.
    QTemporaryDir dir;
    const QString path = dir.filePath("t.lst");
    WriteFileBytes(path, "");
    std::mt19937 random(13);
    const auto check = [&](const std::string &bytes, qint64 failAt, qint64 chunk, size_t maxLineBytes) {
        const Lines expected = ReferenceLines(bytes, failAt, maxLineBytes);
        const Lines read = ReadLines(path, bytes, failAt, chunk, maxLineBytes, random);
        ASSERT_EQ(read.lines, expected.lines) << testing::PrintToString(bytes) << " fail at " << failAt
                                              << ", chunk " << chunk << ", max " << maxLineBytes;
        ASSERT_EQ(read.failed, expected.failed);
    };
    for (const char *end : {"\r", "\n", "\r\n", "\x1a", "\t"})
        for (const char *letter : {"\xC3\xA9", "\xE9"})
            for (size_t before = 0; before <= 17; ++before)
                for (qint64 chunk : {1, 2, 3, 7, 8, 9, 16, 1 << 30})
                    for (size_t maxLineBytes : {size_t(5), SIZE_MAX}) {
                        const std::string line = std::string(before, 'a') + letter;
                        check(line + end + line + end + end + "b" + end, FailingDevice::Never, chunk, maxLineBytes);
                    }
    const char *const pieces[] = {"\r", "\n", "\r\n", "\x1a", "\t", "\x1f", " ", "\xC3\xA9", "\xE9", "\xE2\x82\xAC"};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        for (int n = random() % 10; n > 0; --n) {
            bytes.append(random() % 20, 'x');
            bytes += pieces[random() % std::size(pieces)];
        }
        const qint64 failAt = random() % 3 ? FailingDevice::Never : qint64(random() % (bytes.size() + 1));
        check(bytes, failAt, 1 + random() % 20, random() % 2 ? SIZE_MAX : 1 + random() % 20);
    }
}

TEST(TextLineReader, ReadErrorIsNotTheEnd)
{
    // Lines read before a read error come out; a line cut off by the error does not (errors at
    // random places LinesAreThoseOfAPlainSplit reads).
    const QByteArray text = "one\r\ntwo\r\nthree\r\n";
    struct Case { const char *name; qint64 failAt; bool openFails; bool opened; QStringList lines; bool failed; };
    const Case cases[] = {
        {"no error", FailingDevice::Never, false, true, {"one", "two", "three"}, false},
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

// A large file is scanned in two stretches at once, which meet near its middle: the file as a
// whole still decides.
TEST(TextLineReader, LargeFileIsUtf8OrElseWindows1252)
{
    constexpr size_t Size = (size_t(2) << 20) + 102;
    constexpr size_t Middle = Size / 2;  // the fourth byte of a four-byte character below
    const std::string fourBytes = [] {
        std::string t;
        while (t.size() + 4 <= Size)
            t += "\xf0\x9f\x8e\xb5";
        return t + std::string(Size - t.size(), 'a');
    }();
    auto ascii = [](std::initializer_list<std::pair<size_t, std::string_view>> bytes) {
        std::string t(Size, 'a');
        for (const auto &[at, b] : bytes)
            t.replace(at, b.size(), b);
        return t;
    };
    struct Case { const char *name; std::string text; bool cp1252; };
    const Case cases[] = {
        {"four-byte characters across the middle", fourBytes, false},
        {"a four-byte character begun before the middle", ascii({{Middle - 1, "\xf0\x9f\x8e\xb5"}}), false},
        {"a Windows-1252 byte after the middle", ascii({{Middle + 10, "\xe9"}}), true},
        {"a Windows-1252 byte before the middle", ascii({{10, "\xe9"}}), true},
        {"continuation bytes across the middle", ascii({{Middle - 2, "\x80\x80\x80\x80\x80\x80"}}), true},
        {"a Ctrl+Z before the middle", ascii({{Middle - 5, "\x1a"}, {Middle + 10, "\xe9"}}), false},
        {"a Windows-1252 byte before a Ctrl+Z", ascii({{Middle + 10, "\xe9"}, {Middle + 20, "\x1a"}}), true},
        {"a Windows-1252 byte after a Ctrl+Z", ascii({{Middle + 10, "\x1a"}, {Middle + 20, "\xe9"}}), false},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("t.lst");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(path, QByteArray::fromStdString(c.text));
        TextLineReader reader;
        ASSERT_TRUE(reader.open(path));
        EXPECT_EQ(reader.isCp1252(), c.cp1252);
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
