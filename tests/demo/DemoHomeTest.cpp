// The demo home of the build: every track of the demo CD is a file on a configured CD path, and
// the catalog holds the size and play time that the program measures from that file.

#include "app/Config.h"
#include "app/Startup.h"
#include "catalog/Catalog.h"
#include "catalog/TSong.h"
#include "import/TrackMeasurement.h"
#include "player/PlayerMedia.h"
#include "player/TMPEGPlayer.h"
#include "selection/TrackFileLocator.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>
#include <memory>

TEST(DemoHome, EveryDemoTrackIsOnACDPathWithTheSizeAndPlayTimeOfItsFile)
{
    EnsureApp();
    Config config;
    QString listName;
    ASSERT_TRUE(ReadConfig(QString(DEMO_HOME "/ZEMLO.INI"), config, listName));
    // Strict: a missing file would ask for the CD, which fails the test.
    ScriptedDialogs dialogs;
    Catalog catalog{dialogs, DEMO_HOME, "ZEMLO"};
    ASSERT_TRUE(catalog.LoadCatalog(CatalogNameAtStart(listName, {}, DEMO_HOME)));
    TrackFileLocator locator{config, dialogs};
    TMPEGPlayer player;
    player.SetPathToDLL(ShortStr::fromQString(BinDir()));
    player.InitLibrary();
    TrackMeasurement measurement{locator, player, catalog};

    int demoTracks = 0;
    for (const TSong *song : catalog.all().songs()) {
        if (song->CDID().toQString() != DEMO_CD_ID)
            continue;
        ++demoTracks;
        SCOPED_TRACE(song->GetFileName().toQString().toStdString());
        // A copy of the record with nothing measured yet, measured from its file.
        TSong measured;
        measured.ParseLine(song->CatalogLine());
        measured.Size = 0;
        measured.SetPlayTime(0);
        ASSERT_TRUE(measurement.MeasureTrack(measured));
        EXPECT_EQ(measured.Size, song->Size);
        EXPECT_EQ(measured.PlayTime().toQString().toStdString(), song->PlayTime().toQString().toStdString());
        EXPECT_GT(song->Seconds, 0);
    }
    EXPECT_GE(demoTracks, 3);
    EXPECT_TRUE(dialogs.asked.empty());
}
