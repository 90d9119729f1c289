#include "util/TextFileWriter.h"

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
QString Numbered(int i)
{
    return "line " + QString::number(i) + " \u00e9\u20ac\U0001d11e";
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

    // Many buffers' worth through the writer's byte-view overload comes out whole.
    TextFileWriter writer(path);
    ASSERT_TRUE(writer.open());
    QByteArray expected;
    for (int i = 0; i < 300000; ++i) {
        const QByteArray line = Numbered(i).toUtf8();
        writer.writeLine(std::string_view(line.constData(), static_cast<size_t>(line.size())));
        expected += line + "\r\n";
    }
    ASSERT_TRUE(writer.commit()) << writer.errorString().toStdString();
    EXPECT_TRUE(ReadFileBytes(path) == expected);
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
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                  QStringList({"pipe", "sub", "user.lst"}));
    }
}
