#include "support/TaggedMp3.h"
#include "support/TempDir.h"

#include <QByteArray>
#include <QFile>
#include <stdexcept>

#include <id3v1tag.h>
#include <id3v2tag.h>
#include <mpegfile.h>

namespace {
// MPEG-1 Layer III frames of 128 kbit/s at 44.1 kHz without padding: 417 bytes each. Side
// information and main data all zero decode as silence.
QByteArray SilentFrames(int count)
{
    return (QByteArray("\xFF\xFB\x90", 3) + QByteArray(414, '\0')).repeated(count);
}

void SetNames(TagLib::Tag *tag, const Id3Names &names)
{
    const auto text = [](const QString &s) { return TagLib::String(s.toUtf8().constData(), TagLib::String::UTF8); };
    tag->setArtist(text(names.artist));
    tag->setAlbum(text(names.album));
    tag->setTitle(text(names.title));
}
} // namespace

void WriteTags(const QString &path, const std::optional<Id3Names> &id3v2, const std::optional<Id3Names> &id3v1)
{
    TagLib::MPEG::File file(QFile::encodeName(path).constData(), false);
    int tags = TagLib::MPEG::File::NoTags;
    if (id3v2) {
        SetNames(file.ID3v2Tag(true), *id3v2);
        tags |= TagLib::MPEG::File::ID3v2;
    }
    if (id3v1) {
        SetNames(file.ID3v1Tag(true), *id3v1);
        tags |= TagLib::MPEG::File::ID3v1;
    }
    if (!file.save(tags, TagLib::File::StripOthers, TagLib::ID3v2::v4, TagLib::File::DoNotDuplicate))
        throw std::runtime_error("cannot tag test file " + path.toStdString());
}

void WriteTaggedMp3(const QString &path, const std::optional<Id3Names> &id3v2, const std::optional<Id3Names> &id3v1)
{
    WriteFileBytes(path, SilentFrames(40));
    WriteTags(path, id3v2, id3v1);
}
