#pragma once
// The format language of the Import Tracks dialog. A format such as "Artist-Album-Track" is
// compiled by upper-casing it and turning the field names into "%1", "%2" and "%3"; every other
// character is a separator that the matching skips to. Letters match either case.

#include "util/ShortStr.h"

#include <array>
#include <vector>

enum NameField { ArtistField = 0, AlbumField = 1, TrackField = 2 };

// One text per field, indexed by NameField.
using FieldBuffers = std::array<ShortStr, 3>;

struct PatternElement {
    enum Kind {
        Placeholder,  // "%1", "%2" or "%3": takes the text up to the next separator
        Separator,    // any other character: skips the source up to and past it
        Inert,        // "%" followed by anything else, or a "%" at the very end: does nothing
    };
    Kind kind;
    NameField field;     // of a placeholder
    char32_t separator;  // of a separator
};

struct CompiledPattern {
    ShortStr text;  // upper-cased, field names replaced
    std::vector<PatternElement> elements;
};

CompiledPattern CompilePattern(const ShortStr &format);

// Appends the fields found in source to buffers. A field's text is trimmed; it is joined to a
// buffer that is not empty by one blank. The last placeholder takes the rest of the source; the
// matching stops when either the pattern or the source is used up.
void MatchPattern(const ShortStr &source, const CompiledPattern &pattern, FieldBuffers &buffers);
