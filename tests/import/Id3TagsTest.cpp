#include "import/Id3Tags.h"
#include "support/TaggedMp3.h"
#include "support/TempDir.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
std::string Shown(const Id3Names &n)
{
    return (n.artist + "|" + n.album + "|" + n.title).toStdString();
}
} // namespace

TEST(Id3Tags, EachValueFromTheFirstTagThatHoldsOne)
{
    struct Case { const char *what; std::optional<Id3Names> v2, v1; const char *expected; };
    const Case cases[] = {
        {"ID3v2 only, UTF-8", Id3Names{"Björk Ωmega", "Night Songs", "Rain"}, std::nullopt, "Björk Ωmega|Night Songs|Rain"},
        {"ID3v1 only", std::nullopt, Id3Names{"Blue Fox", "Day", "Sun"}, "Blue Fox|Day|Sun"},
        {"ID3v2 wins", Id3Names{"Red Owl", "Dusk", "Moon"}, Id3Names{"Blue Fox", "Day", "Sun"}, "Red Owl|Dusk|Moon"},
        {"ID3v1 fills blank ID3v2 values", Id3Names{"  ", "", "Moon"}, Id3Names{"Blue Fox", "Day", "Sun"}, "Blue Fox|Day|Moon"},
        {"blank in both", Id3Names{" ", "", "Moon"}, Id3Names{"  ", "Day", ""}, "|Day|Moon"},
        {"no tag", std::nullopt, std::nullopt, "||"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("track.mp3");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WriteTaggedMp3(path, c.v2, c.v1);
        EXPECT_EQ(Shown(ReadId3Names(path)), c.expected);
    }
}

TEST(Id3Tags, FilesWithoutMpegDataGiveNoValues)
{
    QTemporaryDir dir;
    const auto at = [&](const char *name) { return dir.filePath(name); };
    WriteFileBytes(at("tagged.mp3"), QByteArray("not an MPEG stream\n").repeated(100));
    WriteTags(at("tagged.mp3"), Id3Names{"Blue Fox", "Day", "Sun"}, Id3Names{"Blue Fox", "Day", "Sun"});
    WriteFileBytes(at("empty.mp3"), {});
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.mp3"));
    ASSERT_EQ(mkfifo(QFile::encodeName(at("fifo.mp3")).constData(), 0600), 0);
    for (const char *name : {"tagged.mp3", "empty.mp3", "folder.mp3", "fifo.mp3", "missing.mp3"})
        EXPECT_EQ(Shown(ReadId3Names(at(name))), "||") << name;
}
