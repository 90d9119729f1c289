#include "util/NativePath.h"

#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(NativePath, ExactThenCaseInsensitivePerComponent)
{
    QTemporaryDir dir;
    const QString cd = dir.filePath("CD");
    for (const char *file : {"Artist/Album/01 Song.mp3", "Dup/f.mp3", "DUP/f.mp3", "\u00c4rzte/Lied.mp3", "top.mp3"}) {
        QDir(cd).mkpath(QFileInfo(cd + "/" + QString(file)).path());
        WriteFileBytes(cd + "/" + QString(file), "x");
    }
    const QString slot = cd + "/";
    struct Case { const char *name; QString slot; QString stored; QString path; bool found; };
    const Case cases[] = {
        {"exact", slot, "Artist\\Album\\01 Song.mp3", cd + "/Artist/Album/01 Song.mp3", true},
        {"case differs in every component", slot, "ARTIST\\album\\01 SONG.MP3", cd + "/Artist/Album/01 Song.mp3", true},
        {"case differs in the slot", dir.filePath("cd/"), "top.mp3", cd + "/top.mp3", true},
        {"multi-byte letters", slot, "\u00e4RZTE\\lied.MP3", cd + "/\u00c4rzte/Lied.mp3", true},
        {"ambiguous, the exact one is taken", slot, "DUP\\f.mp3", cd + "/DUP/f.mp3", true},
        {"ambiguous, none exact", slot, "dup\\f.mp3", cd + "/dup/f.mp3", false},
        {"missing component", slot, "Artist\\Nope\\01 Song.mp3", cd + "/Artist/Nope/01 Song.mp3", false},
        {"missing file", slot, "artist\\album\\02.mp3", cd + "/artist/album/02.mp3", false},
        {"slot without slash", cd, "\\top.mp3", cd + "/top.mp3", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const NativePath p = FindNativePath(c.slot, c.stored);
        EXPECT_EQ(p.path, c.path);
        EXPECT_EQ(p.found, c.found);
    }
}
