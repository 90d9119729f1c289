// The player bar's commands over the scripted fake decoder library: which track each command
// starts, how the lists and the focus follow, the walk through the selection list at the end of
// a track, the texts and sliders of the bar, the volume both ways and external play. The timer
// is ticked by hand, so every end of track is seen exactly when the test says.

#include "FakeMpegControls.h"
#include "app/Config.h"
#include "app/ErrorReporter.h"
#include "app/HandlerGuard.h"
#include "player/PlayerControl.h"
#include "player/TMPEGPlayer.h"
#include "selection/ExternalPlayer.h"
#include "selection/PlayLists.h"
#include "selection/SelectionHelpers.h"
#include "selection/TrackFileLocator.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct PlayerControlFixture : SelectionFixture {
    PlayerControlFixture()
    {
        EnsureApp();
        config.CDPaths[1] = ShortStr::fromQString(cd.path() + "/");
        config.CDPathCount = 1;
        config.PlayPath = ShortStr::fromQString(cd.path() + "/");
        config.Player = ShortStr("player --queue");
        mp3player.SetPathToDLL(ShortStr::fromQString(FakeDir()));
        mp3player.SetHandlerGuard(&guard);
        mp3player.InitLibrary();
        addTracks({"A", "B", "C", "D", "E"});
        for (const char *name : {"A", "B", "C", "D", "E"})
            WriteFileBytes(cd.filePath(QString(name) + ".mp3"), "x");
        fake.length = 60000;
        fake.Calls();
    }
    ~PlayerControlFixture() override { mp3player.DoneLibrary(); }

    TSong *track(const QString &name) const
    {
        for (TSong *t : all.songs())
            if (t->Artist().toQString() == name)
                return t;
        return nullptr;
    }
    // The artist of the stream the player was last given, "" before any.
    QString playing() const { return QFileInfo(mp3player.StreamName()).completeBaseName(); }
    QString current() const { return control.CurrentSong() ? control.CurrentSong()->Artist().toQString() : "-"; }
    QString focused() const
    {
        return platform.focused == &sel ? "sel" : platform.focused == &all ? "all" : "none";
    }
    // The decoder's end of the data, as the playback thread reports it, seen by the next tick.
    void endOfTrack()
    {
        fake.End();
        mp3player.TimerTick(nullptr);
    }

    Watchdog dog{30};
    Fake fake;
    QTemporaryDir cd;
    Config config;
    TestPlatform platform{dialogs};
    HandlerGuard guard{platform.errors};
    TMPEGPlayer mp3player;
    TrackFileLocator locator{config, dialogs};
    PlayLists playLists{config, selection, dialogs};
    ExternalPlayer externalPlayer{config, platform, dialogs};
    PlayerControl control{{mp3player, catalog, selection, locator, playLists, externalPlayer, config, dialogs,
                           platform, platform}};
};
} // namespace

// Play takes the current row of the selection list when it has the focus, else the catalog's.
TEST_F(PlayerControlFixture, PlayTakesTheFocusedListsCurrentRow)
{
    fillSelection({"D", "E"});
    struct Case {
        const char *name;
        const ListModel *focus;
        int allRow, selRow;
        const char *played, *focusAfter;
    };
    const Case cases[] = {
        {"selection focused", &sel, 1, 1, "E", "sel"},
        {"catalog focused", &all, 1, 1, "B", "all"},
        {"another control focused", nullptr, 2, 0, "C", "all"},
        {"selection focused, no current row", &sel, 1, -1, "", "sel"},
        {"catalog focused, no current row", &all, -1, 1, "", "all"},
    };
    for (const Case &c : cases) {
        mp3player.SetStreamName("");
        platform.focused = c.focus;
        all.setCurrentRow(c.allRow);
        sel.setCurrentRow(c.selRow);
        control.BtnPlayClick();
        EXPECT_EQ(playing(), c.played) << c.name;
        EXPECT_EQ(focused(), c.focusAfter) << c.name;
        if (*c.played) {
            EXPECT_TRUE(mp3player.Playing()) << c.name;
            EXPECT_EQ(control.bar().PlayingTrackName, control.CurrentSong()->FullName().toQString()) << c.name;
        }
    }
}

// The internal player plays the list from row 0, walks on at each end, and after the last row
// clears the bar without wrapping around.
TEST_F(PlayerControlFixture, InternalPlayWalksTheSelectionAndClearsTheBar)
{
    fillSelection({"C", "A", "E"});
    sel.setCurrentRow(2);
    platform.focused = &all;
    control.PlayfromCD1Click(true);
    EXPECT_EQ(playing(), "C");
    EXPECT_EQ(sel.currentRow(), 2) << "starting leaves the current row alone";
    mp3player.TimerTick(nullptr);
    EXPECT_EQ(control.bar().PlayLen, "01:00");
    QStringList walk{playing()};
    for (int row : {1, 2}) {
        endOfTrack();
        walk << playing();
        EXPECT_EQ(sel.currentRow(), row);
        EXPECT_EQ(focused(), "sel");
    }
    EXPECT_EQ(walk.join(","), "C,A,E");
    fake.position = 30000;
    endOfTrack();
    EXPECT_EQ(playing(), "E") << "no wrap-around";
    EXPECT_EQ(current(), "-");
    const PlayerBar &bar = control.bar();
    EXPECT_EQ(QStringList({bar.PlayingTrackName, bar.PlayOfs, bar.PlayLen}).join("|"), "|00:00|00:00");
    EXPECT_EQ(bar.position, 0);
    EXPECT_EQ(mp3player.Playing(), false);

    // A track from the catalog that is not listed ends the walk at once.
    all.setCurrentRow(1);
    platform.focused = &all;
    control.BtnPlayClick();
    endOfTrack();
    EXPECT_EQ(current(), "-");
    EXPECT_EQ(playing(), "B");

    // The next track shows its length even when it is as long as the last one.
    control.PlayfromCD1Click(true);
    mp3player.TimerTick(nullptr);
    EXPECT_EQ(control.bar().PlayLen, "01:00");
}

TEST_F(PlayerControlFixture, PositionReportsFillTheBar)
{
    const std::tuple<int32_t, int32_t, const char *, const char *, int> reports[] = {
        {12500, 245000, "00:12", "04:05", 24500},
        {245000, 245000, "04:05", "04:05", 24500},
        {59999, 6000000, "00:59", "100:00", 600000},
        {0, 9, "00:00", "00:00", 0},
    };
    for (const auto &[pos, len, ofs, shownLen, increment] : reports) {
        control.mp3playerPosUpdate(pos, len);
        const PlayerBar &bar = control.bar();
        EXPECT_EQ(bar.PlayOfs, ofs) << pos << "/" << len;
        EXPECT_EQ(bar.PlayLen, shownLen) << pos << "/" << len;
        EXPECT_EQ(bar.positionMax, len);
        EXPECT_EQ(bar.positionIncrement, increment);
        EXPECT_EQ(bar.position, pos);
    }
}

// Next and Previous wrap around in the list the current song stands in; in the catalog the old
// current row is unselected and other selected rows stay.
TEST_F(PlayerControlFixture, NextAndPreviousWrapInTheirList)
{
    struct Case {
        const char *name;
        QStringList selection;
        const char *start;  // "" none, "sel:X" or "all:X" started from that list
        int delta;
        const char *played, *focusAfter;
        int selRow;
        const char *allSelected;
    };
    const Case cases[] = {
        {"none: Next plays row 0", {"D", "B"}, "", 1, "D", "sel", 0, "E"},
        {"none: Previous plays the last row", {"D", "B"}, "", -1, "B", "sel", 1, "E"},
        {"none and no list", {}, "", 1, "", "none", -1, "E"},
        {"Next in the list", {"D", "B", "A"}, "sel:B", 1, "A", "sel", 2, "E"},
        {"Next on the last row", {"D", "B"}, "sel:B", 1, "D", "sel", 0, "E"},
        {"Previous on row 0", {"D", "B"}, "sel:D", -1, "B", "sel", 1, "E"},
        {"listed track played from the catalog", {"D", "B"}, "all:B", 1, "D", "sel", 0, "B,E"},
        {"catalog Next", {"D"}, "all:B", 1, "C", "all", -1, "C,E"},
        {"catalog Next on the last row", {"D"}, "all:E", 1, "A", "all", -1, "A"},
        {"catalog Previous on row 0", {"D"}, "all:A", -1, "E", "all", -1, "E"},
    };
    for (const Case &c : cases) {
        // An end with an empty list forgets the current song.
        selection.ClearSelection();
        control.mp3playerPlayEnd();
        fillSelection(c.selection);
        catalog.all().clearSelection();
        mp3player.SetStreamName("");
        platform.focused = nullptr;
        const QString start = c.start;
        if (!start.isEmpty()) {
            SongList &list = start.startsWith("sel") ? sel : all;
            const int row = list.indexOf(track(start.mid(4)));
            list.setCurrentRow(row);
            list.setSelected(row, true);
            platform.focused = &list;
            control.BtnPlayClick();
            platform.focused = nullptr;
        }
        all.setSelected(4, true);  // E: a selected catalog row that is not the current one
        if (c.delta > 0)
            control.btnNextClic();
        else
            control.btnPrevClick();
        EXPECT_EQ(playing(), c.played) << c.name;
        EXPECT_EQ(focused(), c.focusAfter) << c.name;
        if (QString(c.focusAfter) != "all") {
            EXPECT_EQ(sel.currentRow(), c.selRow) << c.name;
        }
        QStringList selected;
        for (int row : all.selectedRows())
            selected << all.song(row)->Artist().toQString();
        EXPECT_EQ(selected.join(","), c.allSelected) << c.name;
        if (QString(c.focusAfter) == "all") {
            EXPECT_EQ(all.song(all.currentRow())->Artist().toQString(), c.played) << c.name;
        }
    }
}

// A released record is never the current song: Next then has nothing to go on from.
TEST_F(PlayerControlFixture, DeletedTrackIsForgotten)
{
    fillSelection({"A", "B"});
    all.setCurrentRow(2);
    platform.focused = &all;
    control.BtnPlayClick();
    ASSERT_EQ(current(), "C");
    catalog.DeleteTracks({track("C")});
    EXPECT_EQ(current(), "-");
    control.btnNextClic();
    EXPECT_EQ(playing(), "A") << "with no current song Next starts the selection list";

    control.BtnPlayClick();
    catalog.ClearCatalog();
    EXPECT_EQ(current(), "-");
    endOfTrack();
    EXPECT_EQ(sel.count(), 0);
}

// Errors of the component end the handler and reach the error box; a failed start and a missing
// file that the user gives up on leave the bar and the current song as they were.
TEST_F(PlayerControlFixture, FailuresLeaveThePlayerBarAlone)
{
    fillSelection({"A", "B"});
    control.PlayfromCD1Click(true);
    fake.FailNext("Play", 6);
    guard.run([&] { control.btnNextClic(); });
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Error);
    EXPECT_EQ(current(), "A");
    EXPECT_EQ(control.bar().PlayingTrackName, track("A")->FullName().toQString());

    control.PlayfromCD1Click(true);
    QFile::remove(cd.filePath("B.mp3"));
    dialogs.results = {mrCancel};
    control.btnNextClic();
    EXPECT_EQ(current(), "A");
    EXPECT_TRUE(mp3player.Playing()) << "the playing track goes on";
}

TEST_F(PlayerControlFixture, PauseToggleStopAndSeek)
{
    fillSelection({"A"});
    control.PlayfromCD1Click(true);
    fake.Calls();
    control.BtnPauseClick();
    control.BtnPauseClick();
    control.Slider1StopTracking(30500);
    control.btnStopClick();
    EXPECT_EQ(fake.Calls(), "Pause(0);Pause(1);Seek(30500);Stop;Close;");
    EXPECT_EQ(current(), "A") << "Stop keeps the current song";
    EXPECT_EQ(control.bar().PlayingTrackName, track("A")->FullName().toQString());
}

TEST_F(PlayerControlFixture, VolumeBothWays)
{
    const std::pair<uint16_t, int> shown[] = {{65535, 100}, {0, 0}, {32767, 50}, {655, 1}, {327, 0}, {328, 1}};
    for (auto [channel, percent] : shown) {
        platform.level = {1234, channel};
        control.ShowDeviceVolume();
        EXPECT_EQ(control.bar().volume, percent) << channel;
        EXPECT_EQ(platform.level.left, 1234) << "showing the volume writes nothing";
    }
    const std::pair<int, uint16_t> set[] = {{100, 65535}, {0, 0}, {50, 32768}, {1, 655}, {21, 13762}};
    for (auto [percent, channel] : set) {
        control.VolumeChange(percent);
        EXPECT_EQ(platform.level.left, channel) << percent;
        EXPECT_EQ(platform.level.right, channel) << percent;
        EXPECT_EQ(control.bar().volume, percent);
    }
    // The value that the window hands back while the device volume is shown is not written.
    QObject::connect(&control, &PlayerControl::barChanged, [&] { control.VolumeChange(control.bar().volume); });
    platform.level = {100, 40000};
    control.ShowDeviceVolume();
    EXPECT_EQ(platform.level.left, 100);
}

// External play writes the playlist on the play path with CD paths and starts the player; a list
// from more than one CD asks first.
TEST_F(PlayerControlFixture, ExternalPlayAsksAboutSeveralCDs)
{
    const QString list = cd.filePath("playlist.m3u");
    struct Case {
        QStringList cds;
        int answer;  // mrNone: no question expected
        bool started;
    };
    const Case cases[] = {
        {{"A", "A"}, mrNone, true},
        {{"A", "A", "B"}, mrYes, true},
        {{"A", "a"}, mrNo, false},
        {{"A", "B", "B"}, mrCancel, false},
    };
    int added = 0;
    for (const Case &c : cases) {
        QStringList names;
        for (const QString &cdId : c.cds) {
            names << QString("X%1").arg(++added);
            auto t = std::make_unique<TSong>();
            t->ParseLine(ShortStr::fromQString(QString("%1; 01:00; 100; %2; Al; T; %2.mp3").arg(cdId, names.last())));
            catalog.AddTrack(std::move(t));
        }
        fillSelection(names);
        QFile::remove(list);
        platform.started.clear();
        if (c.answer != mrNone)
            dialogs.results = {c.answer};
        control.PlayExternal1Click();
        const QStringList asked = dialogs.textsAsked();
        EXPECT_EQ(asked, c.answer == mrNone ? QStringList() : QStringList({"More then one CD used ! Play from CD ?"}))
            << c.cds.join(",").toStdString();
        EXPECT_EQ(platform.started, c.started ? QStringList({"player --queue|" + list}) : QStringList())
            << c.cds.join(",").toStdString();
        EXPECT_EQ(QFile::exists(list), c.started);
        if (c.started) {
            EXPECT_EQ(QString(ReadFileBytes(list)), cd.path() + "/" + names.join(".mp3\r\n" + cd.path() + "/") + ".mp3\r\n");
        }
    }
    fillSelection({});
    control.PlayExternal1Click();
    EXPECT_TRUE(platform.started.isEmpty()) << "an empty list is not played";
}
