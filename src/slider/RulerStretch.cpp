#include "slider/RulerStretch.h"

#include <algorithm>

std::vector<RulerPiece> StretchRuler(int rulerLength, int imageLength, int edge)
{
    if (imageLength <= 0 || rulerLength <= 0)
        return {};
    // The edge size is checked against the image when it is set, but a smaller image given
    // later must not leave an empty middle part to repeat.
    const int e = std::clamp(edge, 0, (imageLength - 1) / 2);
    const int middle = imageLength - 2 * e;
    // Division truncating towards zero: a ruler shorter than both edges has the first piece only.
    const int count = (rulerLength - 2 * e) / middle + 1;
    const int rest = (rulerLength - 2 * e) % middle;

    std::vector<RulerPiece> pieces{{0, imageLength - e, 0}};
    for (int i = 1; i < count - 1; ++i)
        pieces.push_back({e, middle, e + i * middle});
    if (count - 1 > 0) {
        const int last = count - 1;
        pieces.push_back({e + middle - rest, e + rest, e + last * middle});
    }
    return pieces;
}
