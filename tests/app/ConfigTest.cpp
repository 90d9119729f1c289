#include "app/Config.h"
#include "app/IniFile.h"
#include "app/Startup.h"
#include "support/TempDir.h"
#include "util/ShortStrings.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
struct ConfigCase {
    const char *name;
    QByteArray ini;
    bool result;
    std::vector<QString> paths;  // slots 1..CDPathCount
    QString copyPath, playPath, player, list;
};
} // namespace

TEST(ReadConfig, KeyRules)
{
    const QString long80 = QString(79, 'a') + "b";
    QByteArray many = "[ZEMLO]\n";
    for (int i = 1; i <= 25; ++i)
        many += (i == 1 ? QByteArray("CD") : "CD" + QByteArray::number(i)) + "=/m/" + QByteArray::number(i) + "\n";
    std::vector<QString> twenty;
    for (int i = 1; i <= 20; ++i)
        twenty.push_back("/m/" + QString::number(i) + "/");

    const ConfigCase cases[] = {
        {"single CD", "[ZEMLO]\r\nCD=/media/mp3\r\n", true, {"/media/mp3/"}, "", "", "", ""},
        {"gap stops", "[ZEMLO]\nCD=/a\nCD2=/b/\nCD4=/d\n", true, {"/a/", "/b/"}, "", "", "", ""},
        {"twenty at most", many, true, twenty, "", "", "", ""},
        {"case and blanks", "[zemlo]\n  cd  =  /x y/  \ncopypath= /c \nPLAYPATH=/p\nplayer= vlc --x \nlist=my.lst\n",
         true, {"/x y/"}, "/c/", "/p/", "vlc --x", "my.lst"},
        {"empty CD counts on", "[ZEMLO]\nCD=\nCD2=/b\n", false, {"", "/b/"}, "", "", "", ""},
        {"80 characters cut", "[ZEMLO]\nCD=" + long80.toUtf8() + "\n", true, {long80}, "", "", "", ""},
        {"Windows-1252 file", "[ZEMLO]\nCD=/m\xe9" "dia\nPlayer=caf\xe9\n", true, {"/m\u00e9dia/"}, "", "", "caf\u00e9", ""},
        {"other section ignored", "[OTHER]\nCD=/o\n[ZEMLO]\nPlayer=p\n", false, {""}, "", "", "p", ""},
        {"binary garbage", QByteArray("\x00\xff\xfe[ZEM\x01LO]\n=\n[ZEMLO\n\x1a", 20), false, {""}, "", "", "", ""},
        {"no file", QByteArray(), false, {""}, "", "", "", ""},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath("ZEMLO.INI");
        if (!c.ini.isNull())
            WriteFileBytes(path, c.ini);
        Config config;
        QString list;
        EXPECT_EQ(ReadConfig(path, config, list), c.result) << c.name;
        ASSERT_EQ(config.CDPathCount, static_cast<int>(c.paths.size())) << c.name;
        for (size_t i = 0; i < c.paths.size(); ++i)
            EXPECT_EQ(config.CDPaths[i + 1].toQString(), c.paths[i]) << c.name << " slot " << i + 1;
        EXPECT_TRUE(config.CDPaths[0].empty());
        EXPECT_EQ(config.CopyPath.toQString(), c.copyPath) << c.name;
        EXPECT_EQ(config.PlayPath.toQString(), c.playPath) << c.name;
        EXPECT_EQ(config.Player.toQString(), c.player) << c.name;
        EXPECT_EQ(list, c.list) << c.name;
    }
}

TEST(IniFile, WriterKeepsOtherLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ZEMLO.INI");
    const QByteArray longLine = "Comment=" + QByteArray(400, 'x');
    WriteFileBytes(path, "; my notes\r\n[Other]\r\nCD=keep\r\n[ZEMLO]\r\ncd=/old\r\n" + longLine + "\r\nList=a.lst\r\n");
    IniFile ini(path);
    ini.writeString("ZEMLO", "CD", "/new/");
    ini.writeString("ZEMLO", "CD2", "/second/");
    ini.writeString("Extra", "Key", "v");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(ReadFileBytes(path), "; my notes\r\n[Other]\r\nCD=keep\r\n[ZEMLO]\r\nCD=/new/\r\n" + longLine
                                       + "\r\nList=a.lst\r\nCD2=/second/\r\n\r\n[Extra]\r\nKey=v\r\n");
    IniFile again(path);
    EXPECT_EQ(again.readString("zemlo", "cd2"), "/second/");
    EXPECT_EQ(again.readString("Other", "CD"), "keep");
}

TEST(IniFile, PipeOrDeviceIsNotRead)
{
    // Read to its end, a pipe would wait for a writer forever and /dev/zero never end.
    QTemporaryDir dir;
    const QString fifo = dir.filePath("ZEMLO.INI");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    for (const QString &path : {fifo, QString("/dev/zero")}) {
        EXPECT_FALSE(IniFile(path).exists()) << path.toStdString();
        Config config;
        QString list;
        EXPECT_FALSE(ReadConfig(path, config, list)) << path.toStdString();
    }
}

TEST(Startup, CatalogNameAtStart)
{
    const QString home("/opt/zemlo");
    const QString longBare = QString(70, 'n') + ".lst";
    const QString longPath = "/data/" + QString(200, 'd') + "/" + QString(200, 'e') + "/MY.LST";
    struct Case { QString list; QStringList args; QString name; };
    const Case cases[] = {
        {"", {"zemlo"}, "/opt/zemlo/"},
        {"MY.LST", {"zemlo"}, "/opt/zemlo/MY.LST"},
        {"/data/a.lst", {"zemlo"}, "/data/a.lst"},
        {"list.lst", {"zemlo", "MY.LST"}, "/opt/zemlo/MY.LST"},
        {"list.lst", {"zemlo", "/data/MY.LST", "ignored"}, "/data/MY.LST"},
        {"", {"zemlo", longBare}, longBare},  // a name part longer than 64 is not bare
        {longPath, {"zemlo"}, longPath},       // kept whole, however long
        {"", {"zemlo", longPath}, longPath},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CatalogNameAtStart(c.list, c.args, home), c.name)
            << c.args.join(' ').toStdString();
}

TEST(Config, ProgramHome)
{
    struct Case { const char *name; HomeProbe probe; QString home; };
    const Case cases[] = {
        {"ZEMLO_HOME wins", {"/srv/z/", "/usr/bin", false, "/x", "/root"}, "/srv/z"},
        {"build folder", {"", "/src/build/bin", true, "/x", "/home/u"}, "/src/build/bin"},
        {"folder not writable", {"", "/opt/z/bin", false, "", "/home/u"}, "/home/u/.config/zemlo"},
        {"installed, run by root", {"", "/usr/bin", true, "", "/root"}, "/root/.config/zemlo"},
        {"local install", {"", "/usr/local/bin/", true, "/cfg", "/root"}, "/cfg/zemlo"},
        {"XDG_CONFIG_HOME", {"", "/usr/bin", false, "/home/u/cfg/", "/home/u"}, "/home/u/cfg/zemlo"},
        {"relative XDG_CONFIG_HOME ignored", {"", "/usr/bin", false, "cfg", "/home/u"}, "/home/u/.config/zemlo"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ProgramHome(c.probe), c.home) << c.name;
}

TEST(Config, ProgramDirIsCreated)
{
    QTemporaryDir dir;
    const QString home = dir.filePath("new/zemlo");
    qputenv("ZEMLO_HOME", home.toUtf8());
    EXPECT_EQ(ProgramDir(), home);
    EXPECT_TRUE(QFileInfo(home).isDir());
    qunsetenv("ZEMLO_HOME");
}

TEST(Startup, StartRequestOf)
{
    struct Case { QStringList args; StartRequest request; };
    const Case cases[] = {
        {{"zemlo"}, StartRequest::Run},
        {{"zemlo", "MY.LST"}, StartRequest::Run},
        {{"zemlo", "./-odd.lst"}, StartRequest::Run},
        {{"zemlo", "--help"}, StartRequest::Help},
        {{"zemlo", "MY.LST", "--version"}, StartRequest::Version},
        {{"zemlo", "--version", "--help"}, StartRequest::Version},
        {{"zemlo", "-h"}, StartRequest::UnknownOption},
        {{"zemlo", "--helpme"}, StartRequest::UnknownOption},
        {{"zemlo", "-"}, StartRequest::UnknownOption},
        {{"zemlo", "--x", "--help"}, StartRequest::UnknownOption},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StartRequestOf(c.args), c.request) << c.args.join(' ').toStdString();
}
