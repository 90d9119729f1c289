#pragma once
// MP3 files with ID3 tags, made by the tests: a few silent MPEG frames, tagged through TagLib.

#include "import/Id3Tags.h"

#include <QString>
#include <optional>

// Gives the file at path the tags given and no others; each is written as given, never filled
// from the other one.
void WriteTags(const QString &path, const std::optional<Id3Names> &id3v2,
               const std::optional<Id3Names> &id3v1 = std::nullopt);
// Writes (or rewrites) a short silent MP3 file at path with these tags.
void WriteTaggedMp3(const QString &path, const std::optional<Id3Names> &id3v2,
                    const std::optional<Id3Names> &id3v1 = std::nullopt);
