#include "import/NameTranslation.h"

#include "util/ShortStrings.h"

namespace {
ShortStr InnermostDirName(ShortStr importDir)
{
    if (importDir.at(importDir.length()) == U'\\')
        importDir.remove(importDir.length(), 1);
    const size_t lastBackslash = importDir.chars().rfind(U'\\');
    if (lastBackslash == std::u32string::npos)
        return importDir;
    return importDir.copy(static_cast<int>(lastBackslash) + 2, ShortStr::MaxLen);
}

// The file name without its extension; a dot ends the name wherever it stands.
ShortStr WithoutExtension(const ShortStr &fileName)
{
    int dotPos;
    HasFileExt(fileName, dotPos);
    return dotPos == 0 ? fileName : fileName.left(dotPos - 1);
}

bool IsBlank(const ShortStr &text)
{
    return TrimBlanks(text).empty();
}
} // namespace

PathValues MatchPathFormat(const ShortStr &importDir, const CompiledPattern &pathPattern)
{
    FieldBuffers buffers;
    MatchPattern(InnermostDirName(importDir), pathPattern, buffers);
    return {buffers[ArtistField], buffers[AlbumField]};
}

NameColumns TranslateRow(const ShortStr &fileName, const CompiledPattern &fileNamePattern, const PathValues &path,
                         const ShortStr &forceArtist, const ShortStr &forceAlbum)
{
    FieldBuffers buffers{" ", " ", " "};
    MatchPattern(WithoutExtension(fileName), fileNamePattern, buffers);
    ShortStr &artist = buffers[ArtistField];
    ShortStr &album = buffers[AlbumField];
    if (!forceAlbum.empty())
        album = forceAlbum;
    if (!forceArtist.empty())
        artist = forceArtist;
    if (IsBlank(album) && !path.album.empty())
        album = path.album;
    if (IsBlank(artist) && !path.artist.empty())
        artist = path.artist;
    return {artist, album, buffers[TrackField]};
}

ShortStr RowText(const ShortStr &fileName, const NameColumns &columns)
{
    return fileName + "\t" + columns.artist + "\t" + columns.album + "\t" + columns.track;
}
