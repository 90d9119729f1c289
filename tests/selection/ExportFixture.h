#pragma once
// Tracks whose files lie under CD path directories of a temporary directory, listed in the
// selection, for the tests of file location, playlists and copying.

#include "app/Config.h"
#include "catalog/Catalog.h"
#include "selection/Selection.h"
#include "selection/SelectionHelpers.h"  // readable QString failures
#include "selection/TrackFileLocator.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

struct ExportFixture : ::testing::Test {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Config config;
    Catalog catalog{dialogs, "/nowhere", "ZEMLO"};
    Selection selection{catalog, dialogs};
    TrackFileLocator locator{config, dialogs};

    QString path(const QString &relative) const { return dir.filePath(relative); }
    // A file under the temporary directory, its directories made; a name ending in "/" makes a
    // directory only.
    void make(const QString &relative, const QByteArray &bytes = "mp3 data")
    {
        const QString full = path(relative);
        QDir().mkpath(relative.endsWith('/') ? full : QFileInfo(full).path());
        if (!relative.endsWith('/'))
            WriteFileBytes(full, bytes);
    }
    // Slots 1.. are the given directories of the temporary directory, each ending in "/";
    // importSlot: slot 0, empty for none.
    void setCDPaths(const QStringList &dirs, const QString &importSlot = QString())
    {
        config.CDPaths[0] = importSlot.isEmpty() ? ShortStr() : ShortStr::fromQString(path(importSlot) + "/");
        for (int i = 0; i < dirs.size(); ++i)
            config.CDPaths[i + 1] = ShortStr::fromQString(path(dirs[i]) + "/");
        config.CDPathCount = static_cast<int>(dirs.size());
    }
    // A catalog track appended to the selection list.
    TSong *select(const QString &cdId, const QString &fileName, const QString &artist = "Artist",
                  const QString &album = "Album", const QString &track = "Track")
    {
        auto song = std::make_unique<TSong>();
        song->ParseLine(ShortStr::fromQString(
                            QString("%1; 01:00; 100; %2; %3; %4; %5").arg(cdId, artist, album, track, fileName)));
        TSong *added = catalog.AddTrack(std::move(song));
        selection.sel().append(added);
        return added;
    }
    // Every entry of a directory, hidden ones too, sorted by name.
    QStringList entries(const QString &relative) const
    {
        return QDir(path(relative)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                              QDir::Name);
    }
};
