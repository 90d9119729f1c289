#include "selection/ExportFixture.h"
#include "selection/PlayLists.h"

namespace {
struct PlayListsFixture : ExportFixture {
    PlayLists playLists{config, selection, dialogs};
};
} // namespace

// Lines are native full names in list order, CR LF, nothing else; no file is looked for.
TEST_F(PlayListsFixture, WritesBothFormsAndReportsAFailure)
{
    setCDPaths({"cd one", "cd2"});
    select("CD1", "Pop\\a.mp3");
    select("CD2", "Rock\\B.mp3");  // on no path at all: listed all the same
    select("CD1", "c.mp3");
    const QString cd1 = path("cd one/");
    struct Case {
        bool cdPaths;
        QString listName;
        QByteArray content;  // empty: the list cannot be written
    };
    const Case cases[] = {
        {true, path("cd.m3u"), (cd1 + "Pop/a.mp3\r\n" + cd1 + "Rock/B.mp3\r\n" + cd1 + "c.mp3\r\n").toUtf8()},
        {false, path("lists/hd.m3u"),
         (path("lists/") + "a.mp3\r\n" + path("lists/") + "B.mp3\r\n" + path("lists/") + "c.mp3\r\n").toUtf8()},
        {false, path("missing/hd.m3u"), {}},
    };
    make("lists/");
    WriteFileBytes(path("lists/hd.m3u"), "an older list, replaced\r\n");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.listName.toStdString());
        dialogs.asked.clear();
        dialogs.defaultExts.clear();
        dialogs.texts = {c.listName};
        c.cdPaths ? playLists.CreatePlayList1Click(true) : playLists.savePlayListfromHD1Click();
        ASSERT_GE(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].text, "Select Play list FileName|MP3 Play list (*.m3u)");
        EXPECT_TRUE(dialogs.asked[0].confirmOverwrite);
        EXPECT_EQ(dialogs.defaultExts, QStringList{"m3u"});
        EXPECT_EQ(ReadFileBytes(c.listName), c.content);
        if (c.content.isEmpty()) {
            ASSERT_EQ(dialogs.asked.size(), 2u);
            EXPECT_EQ(dialogs.asked[1].type, MsgDlgType::Information);
            EXPECT_EQ(dialogs.asked[1].text, "Error creating playlist " + c.listName + " !");
        } else {
            EXPECT_EQ(dialogs.asked.size(), 1u);
        }
    }
    // Cancelled: nothing written, nothing said.
    dialogs.asked.clear();
    dialogs.texts = {QString()};
    playLists.CreatePlayList1Click(true);
    EXPECT_EQ(dialogs.asked.size(), 1u);
}
