#pragma once
// A catalog whose track files lie on the one CD path, a temporary directory, and are measured
// through the real decoder library. The dialogs may put a file in place when the user is asked
// for the CD, as a user inserting it would.

#include "app/Config.h"
#include "catalog/Catalog.h"
#include "import/TrackMeasurement.h"
#include "player/PlayerMedia.h"
#include "player/TMPEGPlayer.h"
#include "selection/TrackFileLocator.h"
#include "support/InsertingDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

struct MeasurementFixture : ::testing::Test {
    static constexpr const char *OldPlayTime = "12:34";
    static constexpr int OldSeconds = 12 * 60 + 34;
    static constexpr int OldSize = 100;

    MeasurementFixture()
    {
        EnsureApp();
        player.SetPathToDLL(ShortStr::fromQString(BinDir()));
        player.InitLibrary();
        config.CDPaths[1] = ShortStr::fromQString(dir.path() + "/");
        config.CDPathCount = 1;
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    // A copy of the file (a generated MP3) on the CD path, its directories made.
    void put(const QString &name, const QString &source) const
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile::remove(path(name));
        ASSERT_TRUE(QFile::copy(source, path(name))) << name.toStdString();
    }
    // A catalog track of CD "CD7" stored under name ("/" between directories, stored as "\"),
    // with the old size and play time; its Track is the name's last part.
    TSong *addTrack(const QString &name)
    {
        auto song = std::make_unique<TSong>();
        song->ParseLine(ShortStr::fromQString(QString("CD7; %1; %2; Artist; Album; T; x").arg(OldPlayTime).arg(OldSize)));
        song->SetTexts(song->Artist(), song->Album(), ShortStr::fromQString(QFileInfo(name).fileName()),
                       ShortStr::fromQString(QString(name).replace('/', '\\')));
        return catalog.AddTrack(std::move(song));
    }

    QTemporaryDir dir;
    InsertingDialogs dialogs;
    Config config;
    Catalog catalog{dialogs, "/nowhere", "ZEMLO"};
    TrackFileLocator locator{config, dialogs};
    TMPEGPlayer player;
    TrackMeasurement measurement{locator, player, catalog};
};
