#include "app/LinuxPlatform.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

namespace {
bool WaitForFile(const QString &path)
{
    for (int i = 0; i < 500 && !QFileInfo::exists(path); ++i)
        QThread::msleep(10);
    return QFileInfo::exists(path);
}
} // namespace

// The external player's command line is split like a shell's, but never run by one.
TEST(LinuxPlatform, StartsProgramsWithTheirArguments)
{
    QTemporaryDir dir;
    QtProcessStarter starter;
    const QString spaced = dir.filePath("a list.m3u");
    EXPECT_TRUE(starter.startDetached("touch \"" + dir.filePath("first") + "\"", {spaced}));
    EXPECT_TRUE(WaitForFile(dir.filePath("first")));
    EXPECT_TRUE(WaitForFile(spaced));
    // A ";" is an argument, not a second command.
    EXPECT_TRUE(starter.startDetached("touch x;", {dir.filePath("second")}));
    EXPECT_TRUE(WaitForFile(dir.filePath("second")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("x")));
    EXPECT_FALSE(starter.startDetached("", {spaced}));
    EXPECT_FALSE(starter.startDetached("/no/such/player", {spaced}));
}

TEST(LinuxPlatform, RootIsAMountedVolume)
{
    bool root = false;
    for (const MountedVolume &v : LinuxMountedVolumes().volumes())
        root = root || (v.root == "/" && v.ready);
    EXPECT_TRUE(root);
}

// With a mixer the card's volume is set; without one the value set is kept. Either way it reads
// back, to the mixer's resolution; the card's own volume is restored afterwards.
TEST(LinuxPlatform, VolumeReadsBackWhatWasSet)
{
    AlsaVolumeMixer mixer;
    const StereoVolume before = mixer.volume();
    for (const StereoVolume set : {StereoVolume{30000, 30000}, StereoVolume{0, 0}, StereoVolume{65535, 65535}}) {
        mixer.setVolume(set);
        const StereoVolume got = mixer.volume();
        EXPECT_NEAR(got.left, set.left, 65535 / 100);
        EXPECT_NEAR(got.right, set.right, 65535 / 100);
    }
    mixer.setVolume(before);
}
