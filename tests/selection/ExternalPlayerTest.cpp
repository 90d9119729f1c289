#include "app/LinuxPlatform.h"
#include "selection/ExportFixture.h"
#include "selection/ExternalPlayer.h"
#include "support/TestPlatform.h"

// The player's command line goes to the platform whole, the playlist as one argument of its own;
// a player that cannot be started is named in an error box.
TEST_F(ExportFixture, ExternalPlayerIsStartedWithThePlaylist)
{
    TestPlatform platform(dialogs);
    config.Player = "\"/opt/my player/play\" --enqueue";
    EXPECT_TRUE(ExternalPlayer(config, platform, dialogs).RunExternalPlayer("/lists/a list.m3u"));
    EXPECT_EQ(platform.started, QStringList{"\"/opt/my player/play\" --enqueue|/lists/a list.m3u"});
    EXPECT_TRUE(dialogs.asked.empty());

    QtProcessStarter system;
    const QString list = path("a.m3u");
    config.Player = ShortStr::fromQString(path("no such player") + " -x");
    EXPECT_FALSE(ExternalPlayer(config, system, dialogs).RunExternalPlayer(list));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Error);
    EXPECT_EQ(dialogs.asked[0].text, "Can't start the external player " + path("no such player") + " -x !");
}
