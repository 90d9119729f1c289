#include "selection/ConversionBatch.h"
#include "selection/CopyToDisk.h"
#include "selection/ExportFixture.h"
#include "selection/FileCopy.h"
#include "support/FileSizeLimit.h"

#include <QProcess>
#include <QStorageInfo>

namespace {
struct CopyFixture : ExportFixture {
    CopyToDisk copier{config, selection, dialogs, locator};
    CopyFixture() { make("out/"); }

    // Copies the selection with the batch out/conv.bat and returns the messages shown.
    QStringList copyTo()
    {
        dialogs.asked.clear();
        dialogs.texts.push_back(path("out/conv.bat"));
        copier.CopytoDisk1Click();
        EXPECT_EQ(dialogs.asked.at(0).text,
                  "Select path & convert batch|MP3 conver bat (*.bat);;Shell script (*.sh)");
        EXPECT_TRUE(dialogs.asked[0].confirmOverwrite);
        EXPECT_EQ(dialogs.defaultExts.takeLast(), "bat");
        QStringList shown;
        for (const AskedDialog &q : dialogs.asked)
            if (q.kind == "MessageBox")
                shown << QString(q.type == MsgDlgType::Error ? "Error: " : "Info: ") + q.text;
        return shown;
    }
    QString out() const { return path("out") + "/"; }
};

} // namespace

// CD by CD, case ignored, the first of equal keys; a file already there is kept and its CD not
// asked for; a cancelled question ends the copy at once; the batch lists every row.
TEST_F(CopyFixture, CopiesInCDOrderAndEndsAsTheUserSays)
{
    make("d/Rock/c.mp3", "ccc");
    make("d/Pop/a.mp3", "aaa");
    make("d/Pop/a2.mp3", "same key as a");
    make("d/z.mp3", "zzz");
    setCDPaths({"d"});
    select("CD2", "Rock\\c.mp3", "Gamma");
    select("cd1", "Pop\\a.mp3", "Alpha");
    select("CD1", "Pop\\a2.mp3", "ALPHA");
    select("CD3", "x.mp3");  // its CD is nowhere
    select("CD4", "z.mp3");
    const QString copied = "Info: Files copied to " + out(), failed = "Error: Error copying files to " + out() + " !";
    struct Case {
        const char *what;
        bool xThere;
        int cancelProgressAfter;
        QStringList shown, entries, progress;
    };
    const Case cases[] = {
        {"CD question cancelled", false, -1, {failed}, {"a.mp3", "c.mp3", "conv.bat"},
         {"Copying files", "0/4 a.mp3", "1/4 c.mp3", "2/4 x.mp3"}},
        {"progress cancelled", false, 1, {failed}, {"a.mp3", "conv.bat"}, {"Copying files", "0/4 a.mp3"}},
        {"all copied", true, -1, {copied}, {"a.mp3", "c.mp3", "conv.bat", "x.mp3", "z.mp3"},
         {"Copying files", "0/4 a.mp3", "1/4 c.mp3", "2/4 x.mp3", "3/4 z.mp3"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(path("out")).removeRecursively();
        make("out/");
        if (c.xThere)
            make("out/x.mp3", "mine");
        dialogs.results = c.xThere || c.cancelProgressAfter >= 0 ? std::deque<int>() : std::deque<int>{mrCancel};
        dialogs.cancelProgressAfter = c.cancelProgressAfter;
        dialogs.progress.clear();
        EXPECT_EQ(copyTo(), c.shown);
        EXPECT_EQ(entries("out"), c.entries);  // nothing half-done either
        EXPECT_EQ(dialogs.progress, c.progress);
        EXPECT_EQ(dialogs.textsAsked().contains("x.mp3 (cd CD3) not found."), !c.xThere && c.cancelProgressAfter < 0);
        EXPECT_EQ(ReadFileBytes(path("out/conv.bat")).count('\n'), 5);
        EXPECT_EQ(ReadFileBytes(path("out/a.mp3")), "aaa");
    }
    EXPECT_EQ(ReadFileBytes(path("out/x.mp3")), "mine");
    EXPECT_EQ(ReadFileBytes(path("out/c.mp3")), "ccc");
    EXPECT_EQ(ReadFileBytes(path("out/conv.bat")), "call conv \"c.mp3\" song01.wav\r\n"
                                                   "call conv \"a.mp3\" song02.wav\r\n"
                                                   "call conv \"a2.mp3\" song03.wav\r\n"
                                                   "call conv \"x.mp3\" song04.wav\r\n"
                                                   "call conv \"z.mp3\" song05.wav\r\n");
    // A batch file that cannot be written is reported; the files are copied all the same.
    QDir(path("out")).removeRecursively();
    make("out/conv.bat/");
    make("out/x.mp3", "mine");
    EXPECT_EQ(copyTo(), (QStringList{"Error: Error writing conversion batch " + path("out/conv.bat") + " !", copied}));
}

TEST_F(CopyFixture, BatchAndShellScriptForms)
{
    select("CD1", "Pop\\a.mp3");
    select("CD1", "Odd\\we$ird `na\"me.mp3");  // read by the shell, it must reach conv unchanged
    ASSERT_TRUE(WriteConversionBatch(path("out/c.bat"), selection.sel().songs()));
    EXPECT_EQ(ReadFileBytes(path("out/c.bat")),
              "call conv \"a.mp3\" song01.wav\r\ncall conv \"we$ird `na\"me.mp3\" song02.wav\r\n");
    ASSERT_TRUE(WriteConversionBatch(path("out/c.sh"), selection.sel().songs()));
    EXPECT_EQ(ReadFileBytes(path("out/c.sh")),
              "#!/bin/sh\nconv \"a.mp3\" song01.wav\nconv \"we\\$ird \\`na\\\"me.mp3\" song02.wav\n");
    EXPECT_TRUE(QFileInfo(path("out/c.sh")).isExecutable());
    EXPECT_FALSE(QFileInfo(path("out/c.bat")).isExecutable());
    // Run with a conv that records its arguments.
    make("bin/conv", "#!/bin/sh\nprintf '%s|%s\\n' \"$1\" \"$2\" >> \"$0.log\"\n");
    QFile::setPermissions(path("bin/conv"), QFile::permissions(path("bin/conv")) | QFileDevice::ExeOwner);
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", path("bin") + ":" + env.value("PATH"));
    run.setProcessEnvironment(env);
    run.start(path("out/c.sh"), {});
    ASSERT_TRUE(run.waitForFinished());
    EXPECT_EQ(ReadFileBytes(path("bin/conv.log")), "a.mp3|song01.wav\nwe$ird `na\"me.mp3|song02.wav\n");

    for (int i = 3; i <= 100; ++i)
        select("CD1", QString("f%1.mp3").arg(i));
    ASSERT_TRUE(WriteConversionBatch(path("out/c.bat"), selection.sel().songs()));
    const QList<QByteArray> lines = ReadFileBytes(path("out/c.bat")).split('\n');
    EXPECT_EQ(lines[8], "call conv \"f9.mp3\" song09.wav\r");
    EXPECT_EQ(lines[99], "call conv \"f100.mp3\" song100.wav\r");
    EXPECT_EQ(lines.size(), 101);
}

// Files that fail (here: too big to be written) leave nothing under their names; the copy goes
// on and the end message names them, the first 20 of them.
TEST_F(CopyFixture, FailedFilesAreReportedAndLeaveNothingBehind)
{
    constexpr int Limit = 64 * 1024;
    make("d/a.mp3", QByteArray(Limit / 2, 'a'));
    make("d/z.mp3", QByteArray(Limit / 2, 'z'));
    setCDPaths({"d"});
    select("CD1", "a.mp3");
    select("CD3", "z.mp3");
    for (int i = 1; i <= 22; ++i) {
        const QString name = QString("big%1.mp3").arg(i, 2, 10, QChar('0'));
        make("d/" + name, QByteArray(3 * Limit, 'b'));
        select("CD2", name, name);
        if (i != 1 && i != 22)
            continue;
        SCOPED_TRACE(i);
        QDir(path("out")).removeRecursively();
        make("out/");
        QStringList shown;
        {
            const FileSizeLimit full(Limit);
            shown = copyTo();
        }
        ASSERT_EQ(shown.size(), 1);
        QStringList lines = shown[0].split('\n');
        EXPECT_EQ(lines.takeFirst(), "Error: Error copying files to " + out() + " !");
        EXPECT_EQ(lines.takeFirst(), i == 1 ? "1 file not copied:" : "22 files not copied:");
        EXPECT_EQ(lines.size(), i == 1 ? 1 : 21);
        EXPECT_TRUE(lines[0].startsWith("big01.mp3 (")) << lines[0].toStdString();
        EXPECT_TRUE(lines.last().startsWith(i == 1 ? "big01.mp3" : "... and 2 more"));
        EXPECT_EQ(entries("out"), (QStringList{"a.mp3", "conv.bat", "z.mp3"}));
        EXPECT_EQ(ReadFileBytes(path("out/z.mp3")), QByteArray(Limit / 2, 'z'));
    }
}

// From a CD to the disk the kernel cannot copy by itself: the data goes through the program.
TEST_F(CopyFixture, CopiesAcrossFileSystems)
{
    QTemporaryDir other(QDir("/dev/shm").filePath("zemlo-XXXXXX"));
    if (!other.isValid() || QStorageInfo(other.path()).device() == QStorageInfo(dir.path()).device())
        GTEST_SKIP() << "no second file system at /dev/shm";
    QByteArray data(3 * (1 << 20) + 5, Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7 % 251);
    WriteFileBytes(other.filePath("a.mp3"), data);
    HiddenProgress progress;
    QString error;
    EXPECT_TRUE(CopyFileData(other.filePath("a.mp3"), path("out/a.mp3"), progress, error));
    EXPECT_EQ(ReadFileBytes(path("out/a.mp3")), data);
    {
        const FileSizeLimit full(1 << 20);
        EXPECT_FALSE(CopyFileData(other.filePath("a.mp3"), path("out/b.mp3"), progress, error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(entries("out"), QStringList{"a.mp3"});
}
