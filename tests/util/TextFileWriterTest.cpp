#include "util/TextFileWriter.h"

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utility>

namespace {
QString Numbered(int i)
{
    return "line " + QString::number(i) + " \u00e9\u20ac\U0001d11e";
}

// Hidden ones too: the temporary file's name begins with a dot.
QStringList Entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

int OpenFiles()
{
    return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

mode_t ModeOf(const QString &path)
{
    struct stat info {};
    return ::stat(path.toLocal8Bit().constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}
} // namespace

TEST(TextFileWriter, LineEndsAndUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f.txt");
    const QStringList lines = {"a", "\u00e9\u20ac\U0001d11e;\"", ""};
    ASSERT_TRUE(WriteTextFile(path, lines));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("a\r\n\xc3\xa9\xe2\x82\xac\xf0\x9d\x84\x9e;\"\r\n\r\n"));
    ASSERT_TRUE(WriteTextFile(path, lines, LineEnd::Lf));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("a\n\xc3\xa9\xe2\x82\xac\xf0\x9d\x84\x9e;\"\n\n"));
    ASSERT_TRUE(WriteTextFile(path, {}));
    EXPECT_EQ(ReadFileBytes(path), QByteArray());

    // Many buffers' worth, line by line and in batches of whole lines, comes out whole, also
    // past the size from which it is synced along the way. It replaces a large file, which is
    // let go in the background: soon, and not leaked.
    WriteFileBytes(path, QByteArray(9 << 20, 'x'));
    const int openFiles = OpenFiles();
    TextFileWriter writer(path);
    ASSERT_TRUE(writer.open());
    QByteArray expected;
    std::string batch;
    for (int i = 0; i < 400000; ++i) {
        const QByteArray line = Numbered(i).toUtf8();
        const std::string_view utf8(line.constData(), static_cast<size_t>(line.size()));
        if (i / 1000 % 2) {
            batch.append(utf8).append(writer.lineEndText());
            if (i % 1000 == 999)
                writer.writeLines(std::exchange(batch, {}));
        } else {
            writer.writeLine(utf8);
        }
        expected += line + "\r\n";
    }
    ASSERT_TRUE(writer.commit()) << writer.errorString().toStdString();
    EXPECT_TRUE(ReadFileBytes(path) == expected);
    for (int waited = 0; OpenFiles() != openFiles && waited < 500; ++waited)
        QThread::msleep(10);
    EXPECT_EQ(OpenFiles(), openFiles);
}

TEST(TextFileWriter, FailureLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("user.lst");
    WriteFileBytes(path, "the user's data\r\n");
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QDir(dir.path()).mkdir("sub");

    struct Case { const char *name; QString path; rlim_t limit; };
    const Case cases[] = {
        {"write fails (file size limit, as a full disk)", path, 64 * 1024},
        {"directory of the file missing", dir.filePath("none/user.lst"), RLIM_INFINITY},
        {"a directory in the file's place", dir.filePath("sub"), RLIM_INFINITY},
        {"a pipe in the file's place", fifo, RLIM_INFINITY},
    };
    QStringList lines;
    for (int i = 0; i < 100000; ++i)
        lines << Numbered(i);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        bool written;
        QString error;
        {
            const FileSizeLimit limit(c.limit);
            TextFileWriter writer(c.path);
            if (writer.open())
                for (const QString &line : lines)
                    writer.writeLine(line);
            written = writer.commit();
            error = writer.errorString();
        }
        EXPECT_FALSE(written);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(ReadFileBytes(path), QByteArray("the user's data\r\n"));
        EXPECT_FALSE(QFileInfo(fifo).isFile());
        EXPECT_TRUE(QFileInfo(dir.filePath("sub")).isDir());
        // No temporary file is left behind.
        EXPECT_EQ(Entries(dir.path()), QStringList({"pipe", "sub", "user.lst"}));
    }
}

TEST(TextFileWriter, TemporaryFileIsNamedAfterTheTargetAndTakesItsMode)
{
    const mode_t oldUmask = ::umask(022);
    struct Case { const char *name; mode_t existingMode; mode_t expectedMode; bool symlinked; };
    const Case cases[] = {
        {"new file: the usual mode less the umask", 0, 0644, false},
        {"existing private file", 0600, 0600, false},
        {"existing executable script", 0750, 0750, false},
        {"a symbolic link: the file it names is replaced, the link stays", 0640, 0640, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString real = dir.filePath("user.lst");
        const QString path = c.symlinked ? dir.filePath("link.lst") : real;
        if (c.existingMode != 0) {
            WriteFileBytes(real, "old\r\n");
            ASSERT_EQ(::chmod(real.toLocal8Bit().constData(), c.existingMode), 0);
        }
        if (c.symlinked) {
            ASSERT_TRUE(QFile::link("user.lst", path));
        }
        const QStringList before = Entries(dir.path());
        {
            TextFileWriter writer(path);
            ASSERT_TRUE(writer.open());
            writer.writeLine(std::string_view("new"));
            QStringList added = Entries(dir.path());
            for (const QString &name : before)
                added.removeOne(name);
            ASSERT_EQ(added.size(), 1);
            EXPECT_TRUE(ReplacingFile::IsTemporaryNameFor(added[0].toLocal8Bit(), "user.lst")) << added[0].toStdString();
            EXPECT_EQ(ModeOf(dir.filePath(added[0])), c.expectedMode);
            ASSERT_TRUE(writer.commit()) << writer.errorString().toStdString();
        }
        EXPECT_EQ(ReadFileBytes(real), QByteArray("new\r\n"));
        EXPECT_EQ(ModeOf(real), c.expectedMode);
        EXPECT_EQ(QFileInfo(path).isSymLink(), c.symlinked);
        QStringList expected = before;
        if (c.existingMode == 0)
            expected << "user.lst";
        expected.sort();
        EXPECT_EQ(Entries(dir.path()), expected);
    }
    ::umask(oldUmask);
}

TEST(TextFileWriter, SuccessfulSaveRemovesOnlyItsOwnLeftoversForTheSameFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Cat.lst");
    WriteFileBytes(path, "old\r\n");
    WriteFileBytes(dir.filePath("kept.txt"), "the user's\r\n");
    enum Kind { File, Directory, Link };
    struct Case { const char *name; Kind kind; bool removed; };
    const Case cases[] = {
        {".Cat.lst.zemlo-save-Ab12Cd", File, true},
        {".Cat.lst.zemlo-save-zzz999", File, true},
        {".Cat.lst.zemlo-save-Ab12C", File, false},
        {".Cat.lst.zemlo-save-Ab12Cde", File, false},
        {".Cat.lst.zemlo-save-Ab-2Cd", File, false},
        {".cat.lst.zemlo-save-Ab12Cd", File, false},
        {".Other.lst.zemlo-save-Ab12Cd", File, false},
        {"Cat.lst.zemlo-save-Ab12Cd", File, false},
        {"Cat.lst.Ab12Cd", File, false},
        {".Cat.lst.zemlo-save-Dir123", Directory, false},
        {".Cat.lst.zemlo-save-Lnk123", Link, false},
    };
    for (const Case &c : cases) {
        const QString p = dir.filePath(c.name);
        if (c.kind == File)
            WriteFileBytes(p, "leftover");
        else if (c.kind == Directory)
            ASSERT_TRUE(QDir(dir.path()).mkdir(c.name));
        else
            ASSERT_TRUE(QFile::link("kept.txt", p));
    }
    const QStringList all = Entries(dir.path());

    // A failed save removes nothing: leftovers go only once the file is safely replaced.
    {
        const FileSizeLimit limit(2);
        EXPECT_FALSE(WriteTextFile(path, {"a longer line than the limit"}));
    }
    EXPECT_EQ(Entries(dir.path()), all);

    ASSERT_TRUE(WriteTextFile(path, {"new"}));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("new\r\n"));
    EXPECT_EQ(ReadFileBytes(dir.filePath("kept.txt")), QByteArray("the user's\r\n"));
    for (const Case &c : cases)
        EXPECT_EQ(QFileInfo::exists(dir.filePath(c.name)) || QFileInfo(dir.filePath(c.name)).isSymLink(), !c.removed)
            << c.name;
}

// Names up to the file system's 255 bytes are saved: the temporary name cuts a long one, at the
// start of a character, and a leftover named so is still recognised and removed.
TEST(TextFileWriter, LongestNamesAreSavedAndTheirLeftoversRemoved)
{
    struct Case { QByteArray target, leftover; };
    const QByteArray a236(236, 'a');
    const Case cases[] = {
        {QByteArray(230, 'n') + ".lst", QByteArray(230, 'n') + ".lst"},
        {a236 + "bcd", a236},
        {a236 + QByteArray(15, 'b') + ".lst", a236},
        {QByteArray(235, 'a') + "\xC3\xA9" + QByteArray(14, 'b') + ".lst", QByteArray(235, 'a')},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.target.size());
        QTemporaryDir dir;
        const QString path = dir.filePath(QFile::decodeName(c.target));
        const QString leftover = dir.filePath(QFile::decodeName('.' + c.leftover + ".zemlo-save-Ab12Cd"));
        WriteFileBytes(leftover, "leftover");
        ASSERT_TRUE(WriteTextFile(path, {"new"}));
        EXPECT_EQ(ReadFileBytes(path), QByteArray("new\r\n"));
        EXPECT_EQ(Entries(dir.path()), QStringList{QFile::decodeName(c.target)});
    }
}
