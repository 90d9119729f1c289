#pragma once
// How a ruler image is stretched to any length: its first and last `edge` pixels stand at the
// two ends and the part between them is repeated.

#include <vector>

// One copy from the image to the stretched ruler, along the ruler's length.
struct RulerPiece {
    int source = 0;  // first pixel taken from the image
    int length = 0;  // pixels copied
    int target = 0;  // first pixel written in the ruler
    bool operator==(const RulerPiece &o) const
    {
        return source == o.source && length == o.length && target == o.target;
    }
};

// The copies that build a ruler of rulerLength pixels from an image of imageLength pixels.
// The first copy always starts the ruler (a ruler shorter than the image shows the image's
// start); later copies may run past the ruler's end and are cut there by the caller's clip.
// An edge that leaves no middle part is reduced until one pixel of middle remains.
std::vector<RulerPiece> StretchRuler(int rulerLength, int imageLength, int edge);
