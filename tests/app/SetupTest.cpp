// The Setup dialog's rules and the Select Path dialog, through their forms, and the rewrite of
// ZEMLO.INI that keeps everything but the Setup keys.

#include "app/Config.h"
#include "app/IniFile.h"
#include "app/SelDirForm.h"
#include "app/SetupCommand.h"
#include "app/SetupForm.h"
#include "support/FailingDevice.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"
#include "util/CommandLine.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>
#include <optional>

namespace {
// The CD paths in force, slots 1 to CDPathCount.
QStringList PathsInForce(const Config &config)
{
    QStringList paths;
    for (int slot = 1; slot <= config.CDPathCount; ++slot)
        paths << config.CDPaths[slot].toQString();
    return paths;
}

QStringList Entries(const SetupForm &form)
{
    QStringList entries;
    for (int row = 0; row < form.CDPathList.count(); ++row)
        entries << form.CDPathList.rowText(row).toQString();
    return entries;
}

struct SetupFixture : ::testing::Test {
    QTemporaryDir home;
    QString ini = home.filePath("ZEMLO.INI");
    ScriptedDialogs dialogs;
    TestPlatform volumes{dialogs};
    Config config;
    SetupCommand setup{dialogs, volumes, config};

    SetupFixture() { qputenv("ZEMLO_HOME", home.path().toUtf8()); }
    ~SetupFixture() override { qunsetenv("ZEMLO_HOME"); }

    // Writes the INI and reads the configuration from it, as start-up does.
    void startWith(const QByteArray &bytes)
    {
        WriteFileBytes(ini, bytes);
        QString list;
        ReadConfig(ini, config, list);
    }
    QString dir(const QString &name)
    {
        EXPECT_TRUE(QDir(home.path()).mkpath(name));
        return home.filePath(name);
    }
    // A Select Path answered with a typed directory, or cancelled when it is null.
    void choose(const QString &path)
    {
        dialogs.onForm<SelDirForm>([path](SelDirForm &form) {
            if (path.isNull())
                return form.BitBtn2Click();
            EXPECT_TRUE(form.GoToPath(path));
            form.BitBtn1Click();
        });
    }
};
} // namespace

TEST_F(SetupFixture, OkPutsTheTextsInForceAndRewritesOnlyTheSetupKeys)
{
    const QString mp3 = dir("mnt/mp3");
    const QByteArray before = "; my notes\r\n[Other]\r\nCD=keep\r\n[ZEMLO]\r\nList=main.lst\r\ncd=/a\r\n; drives\r\n"
                              "CD2=/b\r\nCD3=/c\r\nPlayer=vlc\r\nCopyPath=/copy\r\n\r\n[After]\r\nCD4=x\r\n";
    const QByteArray unchangedTexts = "Player=vlc\r\nCopyPath=/copy/\r\nPlayPath=\r\n";
    // The [ZEMLO] section written is "List=main.lst", the CD lines, "; drives", the text lines.
    struct Case {
        const char *name;
        std::function<void(SetupForm &)> press;
        QStringList results;  // the scripted answers: "Yes", or a path chosen in Select Path
        QStringList paths;
        QByteArray cdLines;
        QByteArray textLines;
        QString copyPath = "/copy/", playPath = "", player = "vlc";  // in force
    };
    const Case cases[] = {
        {"unchanged", [](SetupForm &) {}, {}, {"/a/", "/b/", "/c/"}, "CD=/a/\r\nCD2=/b/\r\nCD3=/c/\r\n",
         unchangedTexts},
        {"chosen directory added", [](SetupForm &f) { f.AddPathClick(); }, {mp3}, {"/a/", "/b/", "/c/", mp3 + "/"},
         "CD=/a/\r\nCD2=/b/\r\nCD3=/c/\r\nCD4=" + mp3.toUtf8() + "/\r\n", unchangedTexts},
        {"three then two: CD3 removed", [](SetupForm &f) { f.CDPathList.setCurrentRow(1); f.DelPathClick(); },
         {"Yes"}, {"/a/", "/c/"}, "CD=/a/\r\nCD2=/c/\r\n", unchangedTexts},
        {"emptied list writes an empty CD",
         [](SetupForm &f) {
             for (int k = 0; k < 3; ++k) {
                 f.CDPathList.setCurrentRow(0);
                 f.DelPathClick();
             }
         },
         {"Yes", "Yes", "Yes"}, {}, "CD=\r\n", unchangedTexts},
        {"texts in force with a trailing slash, written as typed",
         [](SetupForm &f) {
             f.PlayFromHDPath = "/tmp/x";
             f.CopyToHDPath = " /Copy Here ";
             f.Player = "mpv --shuffle";
         },
         {}, {"/a/", "/b/", "/c/"}, "CD=/a/\r\nCD2=/b/\r\nCD3=/c/\r\n",
         "Player=mpv --shuffle\r\nCopyPath= /Copy Here \r\nPlayPath=/tmp/x\r\n", "/Copy Here/", "/tmp/x/",
         "mpv --shuffle"},
        {"line break typed into a text stays on its line", [](SetupForm &f) { f.Player = "vlc\n[Other]"; }, {},
         {"/a/", "/b/", "/c/"}, "CD=/a/\r\nCD2=/b/\r\nCD3=/c/\r\n",
         "Player=vlc [Other]\r\nCopyPath=/copy/\r\nPlayPath=\r\n", "/copy/", "", "vlc\n[Other]"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        startWith(before);
        dialogs.onForm<SetupForm>([&c](SetupForm &form) {
            c.press(form);
            form.OkBtnClick();
        });
        for (const QString &r : c.results) {
            if (r == "Yes")
                dialogs.results.push_back(mrYes);
            else
                choose(r);
        }
        setup.Setup1Click();
        EXPECT_TRUE(dialogs.forms.empty() && dialogs.results.empty());
        EXPECT_EQ(PathsInForce(config), c.paths);
        for (int slot = config.CDPathCount + 1; slot <= MaxCDPaths; ++slot)
            EXPECT_TRUE(config.CDPaths[slot].empty()) << slot;
        EXPECT_EQ(config.CopyPath.toQString(), c.copyPath);
        EXPECT_EQ(config.PlayPath.toQString(), c.playPath);
        EXPECT_EQ(config.Player.toQString(), c.player);
        EXPECT_EQ(ReadFileBytes(ini), "; my notes\r\n[Other]\r\nCD=keep\r\n[ZEMLO]\r\nList=main.lst\r\n" + c.cdLines
                                          + "; drives\r\n" + c.textLines + "\r\n[After]\r\nCD4=x\r\n");
        dialogs.asked.clear();
    }
}

TEST_F(SetupFixture, PathListButtons)
{
    const QString music = dir("music");
    QStringList twenty;
    for (int k = 1; k <= 20; ++k)
        twenty << dir("p" + QString::number(k)) + "/";
    const QString p1 = twenty[0], p2 = twenty[1], p3 = twenty[2];
    struct Case {
        const char *name;
        int paths;    // configured: the first of `twenty`
        int current;  // entry made current before the press
        void (SetupForm::*press)();
        std::deque<int> results;
        std::optional<QString> chosen;  // the Select Path shown: a directory chosen, or null for Cancel
        QStringList asked;
        QStringList entries;
        int currentAfter;
        int focusRequests;
    };
    const Case cases[] = {
        {"Delete answered No moves the current entry up", 3, 2, &SetupForm::DelPathClick, {mrNo}, {},
         {"Setup for ZEMLO", "Remove " + p3 + " from the Path List ?"}, {p1, p2, p3}, 1, 1},
        {"Delete of the first keeps the first current", 3, 0, &SetupForm::DelPathClick, {mrYes}, {},
         {"Setup for ZEMLO", "Remove " + p1 + " from the Path List ?"}, {p2, p3}, 0, 1},
        {"Delete of the only entry", 1, 0, &SetupForm::DelPathClick, {mrYes}, {},
         {"Setup for ZEMLO", "Remove " + p1 + " from the Path List ?"}, {}, -1, 1},
        {"Delete without a current entry asks nothing", 2, -1, &SetupForm::DelPathClick, {}, {},
         {"Setup for ZEMLO"}, {p1, p2}, -1, 0},
        {"Change starts at the entry; Cancel keeps it", 2, 1, &SetupForm::ChangePathClick, {}, QString(),
         {"Setup for ZEMLO", p2.chopped(1)}, {p1, p2}, 1, 0},
        {"Change replaces the entry", 2, 0, &SetupForm::ChangePathClick, {}, music,
         {"Setup for ZEMLO", p1.chopped(1)}, {music, p2}, 0, 1},
        {"Add starts at the current directory; the entry becomes current", 2, 0, &SetupForm::AddPathClick, {},
         music, {"Setup for ZEMLO", QDir::currentPath()}, {p1, p2, music}, 2, 1},
        {"Add of a 21st path is refused", 20, 0, &SetupForm::AddPathClick, {}, {},
         {"Setup for ZEMLO", "The path list is full: it holds at most 20 paths. Delete or change one."}, twenty, 0,
         0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        config = Config();
        for (int k = 1; k <= c.paths; ++k)
            config.CDPaths[k] = ShortStr::fromQString(twenty[k - 1]);
        config.CDPathCount = c.paths;
        QStringList entries;
        int current = -2, focusRequests = 0;
        dialogs.onForm<SetupForm>([&](SetupForm &form) {
            form.OnFocusPathList = [&focusRequests] { ++focusRequests; };
            form.CDPathList.setCurrentRow(c.current);
            (form.*c.press)();
            entries = Entries(form);
            current = form.CDPathList.currentRow();
            form.CancelBtnClick();
        });
        dialogs.results = c.results;
        if (c.chosen)
            choose(*c.chosen);
        setup.Setup1Click();
        EXPECT_TRUE(dialogs.forms.empty() && dialogs.results.empty());
        EXPECT_EQ(dialogs.textsAsked(), c.asked);
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(current, c.currentAfter);
        EXPECT_EQ(focusRequests, c.focusRequests);
        // Cancel changes nothing, in memory or on disk.
        EXPECT_EQ(PathsInForce(config), twenty.mid(0, c.paths));
        EXPECT_FALSE(QFile::exists(ini));
        dialogs.asked.clear();
    }
}

TEST_F(SetupFixture, FileThatCannotBeReadWholeOrWrittenIsReportedAndTheValuesStayInForce)
{
    const QByteArray original = "[ZEMLO]\r\nCD=/a\r\n; " + QByteArray(5000, 'x') + "\r\n[Other]\r\nKey=1\r\n";
    enum How { Missing, Directory, ReadError };
    struct Case {
        const char *name;
        How how;
        QString reported;  // the start of the error box's text, null for none
    };
    const Case cases[] = {
        {"no file yet: written", Missing, QString()},
        {"a directory in the file's place", Directory, "Error writing " + ini + " !"},
        {"read error half-way: not written over", ReadError, "Error reading " + ini + " !"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(ini);
        QDir(home.path()).rmdir("ZEMLO.INI");
        config = Config();
        if (c.how == Directory)
            QDir(home.path()).mkdir("ZEMLO.INI");
        if (c.how == ReadError)
            WriteFileBytes(ini, original);
        IniFile file(ini, c.how == ReadError ? std::make_unique<FailingDevice>(original, 20) : nullptr);
        EXPECT_EQ(file.readFailed(), c.how == ReadError);
        SetupForm form(dialogs, volumes, config);
        form.CDPathList.append("/media/cd");
        form.PlayFromHDPath = "/tmp/x";
        setup.TakeSetup(form, file);

        EXPECT_EQ(PathsInForce(config), QStringList{"/media/cd/"});
        EXPECT_EQ(config.PlayPath.toQString(), "/tmp/x/");
        if (c.reported.isNull()) {
            EXPECT_TRUE(dialogs.asked.empty());
            EXPECT_EQ(ReadFileBytes(ini), "[ZEMLO]\r\nCD=/media/cd/\r\nCopyPath=\r\nPlayPath=/tmp/x\r\nPlayer=\r\n");
        } else {
            ASSERT_EQ(dialogs.asked.size(), 1u);
            EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Error);
            EXPECT_TRUE(dialogs.asked[0].text.startsWith(c.reported)) << dialogs.asked[0].text.toStdString();
        }
        if (c.how == ReadError) {
            EXPECT_EQ(ReadFileBytes(ini), original);
        }
        dialogs.asked.clear();
    }
}

TEST_F(SetupFixture, PlayerBrowseQuotesAPathWithBlanks)
{
    struct Case {
        QString chosen;  // null: the file dialog cancelled
        QString player;
        QStringList program;  // the command line split as the player is started
    };
    const Case cases[] = {
        {QString(), "vlc --x", {"vlc", "--x"}},
        {"/usr/bin/mpv", "/usr/bin/mpv", {"/usr/bin/mpv"}},
        {"/opt/My Player/play it", "\"/opt/My Player/play it\"", {"/opt/My Player/play it"}},
        {"/opt/say \"hi\"", "\"/opt/say \"\"\"hi\"\"\"\"", {"/opt/say \"hi\""}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        config.Player = "vlc --x";
        dialogs.onForm<SetupForm>([](SetupForm &form) {
            form.SpeedButton1Click();
            form.OkBtnClick();
        });
        dialogs.texts = {c.chosen};
        dialogs.defaultExts.clear();
        setup.Setup1Click();
        EXPECT_EQ(dialogs.textsAsked(), (QStringList{"Setup for ZEMLO", "Select External Player|All files (*)"}));
        EXPECT_EQ(dialogs.defaultExts, QStringList{""});
        EXPECT_EQ(config.Player.toQString(), c.player);
        EXPECT_EQ(QProcess::splitCommand(config.Player.toQString()), c.program);
        dialogs.asked.clear();
    }
    EXPECT_EQ(QuotedCommandArgument(""), "\"\"");
    EXPECT_EQ(QProcess::splitCommand(QuotedCommandArgument("a\tb") + " x"), (QStringList{"a\tb", "x"}));
}

TEST_F(SetupFixture, SelectPathDrivesAndNotReadyVolumes)
{
    const QString cd = dir("cd"), usb = dir("usb"), music = dir("usb/music"), cdSub = dir("cd/sub"),
                  usbx = dir("usbx");
    volumes.mounted = {{"/", true}, {cd, false}, {usb + "/", true}, {usb, true}};
    SelDirForm form(dialogs, volumes);
    EXPECT_EQ(form.Drives(), (QStringList{"/", cd, usb}));  // "/" first, each mount point once
    const QString cwd = QDir::currentPath();
    struct Case {
        const char *name;
        std::function<void()> act;
        int drive;
        bool ready;
        QString dirs, chosen;
    };
    const Case cases[] = {
        {"start on a readable volume", [&] { form.SetStartPath(music + "/"); }, 2, true, music, music},
        {"start on a volume that is not ready gives its mount point", [&] { form.SetStartPath(cdSub); }, 1, false,
         "", cd},
        {"a sibling whose name begins like a mount point", [&] { form.SetStartPath(usbx); }, 0, true, usbx, usbx},
        {"a path that does not exist starts at the current directory", [&] { form.SetStartPath(usb + "/gone"); }, 0,
         true, cwd, cwd},
        {"drive picked: its root", [&] { form.DriveComboBox1Change(2); }, 2, true, usb, usb},
        {"directory chosen in the tree", [&] { form.DirsChange(music); }, 2, true, music, music},
        {"a directory outside the drive is not in its tree", [&] { form.DirsChange(cd); }, 2, true, music, music},
        {"drive not ready picked: empty tree, its mount point", [&] { form.DriveComboBox1Change(1); }, 1, false, "",
         cd},
        {"typed path moves to the volume that holds it", [&] { EXPECT_TRUE(form.GoToPath(music)); }, 2, true, music,
         music},
        {"typed path that is no directory changes nothing", [&] { EXPECT_FALSE(form.GoToPath(home.filePath("no"))); },
         2, true, music, music},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        c.act();
        EXPECT_EQ(form.DriveIndex(), c.drive);
        EXPECT_EQ(form.DriveReady(), c.ready);
        EXPECT_EQ(form.Dirs(), c.dirs);
        EXPECT_EQ(form.GetChosenPath(), c.chosen);
    }
}
