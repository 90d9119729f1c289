#pragma once
// The formats the user chose last in an Import Tracks dialog, and whether ID3 tags were used.
// The core object keeps them for the program run, so that they carry from one directory to the
// next and from one import to the next; they are not written to the configuration file.

#include "util/ShortStr.h"

struct ImportFormats {
    ShortStr fileNameFormat = "Artist-Album-Track";
    ShortStr pathFormat;
    bool useId3Tags = false;
};
