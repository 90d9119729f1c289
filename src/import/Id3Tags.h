#pragma once
// Artist, Album and Title from the ID3 tags of an MP3 file, for the Import Tracks dialog.

#include <QString>

struct Id3Names {
    QString artist, album, title;
};

// Each value from the ID3v2 tag when it holds a non-blank one, else from the ID3v1 tag when
// that does, else empty. A file that is missing, unreadable, no plain file or without MPEG audio
// gives empty values.
Id3Names ReadId3Names(const QString &path);
