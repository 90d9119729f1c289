#pragma once
// Turns the file names of an import batch into rows of the Import Tracks list: the file name,
// Artist, Album and Track joined by tabs. Every column holds at least one character, since the
// tabbed row is read with GetField, which skips empty fields.

#include "import/FileNamePattern.h"

// Artist and Album that the path format finds in the batch's directory name.
struct PathValues {
    ShortStr artist;
    ShortStr album;
};

// importDir is the batch's directory relative to the source root, "\" between and after its
// directories (empty for the root); only its innermost directory name is matched.
PathValues MatchPathFormat(const ShortStr &importDir, const CompiledPattern &pathPattern);

// Artist, Album and Track of one row; each holds at least one character.
struct NameColumns {
    ShortStr artist, album, track;
};

// The columns for one file (fileName with its extension). A forced Artist or Album that is not
// empty wins, even when it is all blanks; a column left blank takes the path value, if any.
NameColumns TranslateRow(const ShortStr &fileName, const CompiledPattern &fileNamePattern, const PathValues &path,
                         const ShortStr &forceArtist, const ShortStr &forceAlbum);

// The row as the list shows it: the file name and the columns joined by tabs.
ShortStr RowText(const ShortStr &fileName, const NameColumns &columns);
