#include "import/Id3Tags.h"

#include "util/ShortStrings.h"

#include <QFile>
#include <QFileInfo>

#include <id3v1tag.h>
#include <id3v2tag.h>
#include <mpegfile.h>

namespace {
bool IsBlank(const QString &value)
{
    return TrimBlanks(ShortStr::fromQString(value)).empty();
}

// The first tag's value unless it is blank; a missing tag counts as blank.
QString FirstNonBlank(const TagLib::Tag *v2, const TagLib::Tag *v1, TagLib::String (TagLib::Tag::*field)() const)
{
    for (const TagLib::Tag *tag : {v2, v1}) {
        if (!tag)
            continue;
        const QString value = QString::fromStdString((tag->*field)().to8Bit(true));
        if (!IsBlank(value))
            return value;
    }
    return {};
}
} // namespace

Id3Names ReadId3Names(const QString &path)
{
    // Opening a FIFO or a device would block or read forever.
    if (!QFileInfo(path).isFile())
        return {};
    TagLib::MPEG::File file(QFile::encodeName(path).constData(), false);
    // TagLib reads the tags of any file; without an MPEG frame it is no MP3 whatever its tags say.
    if (!file.isValid() || file.firstFrameOffset() < 0)
        return {};
    const TagLib::Tag *v2 = file.hasID3v2Tag() ? file.ID3v2Tag() : nullptr;
    const TagLib::Tag *v1 = file.hasID3v1Tag() ? file.ID3v1Tag() : nullptr;
    return {FirstNonBlank(v2, v1, &TagLib::Tag::artist), FirstNonBlank(v2, v1, &TagLib::Tag::album),
            FirstNonBlank(v2, v1, &TagLib::Tag::title)};
}
