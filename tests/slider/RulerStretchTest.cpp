#include "slider/RulerStretch.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// The stretched ruler as the image pixel that each of its pixels shows, '0' + index; pieces
// that run past the ruler's end are cut there.
std::string Stretched(int rulerLength, int imageLength, int edge)
{
    std::string ruler(rulerLength, '?');
    for (const RulerPiece &piece : StretchRuler(rulerLength, imageLength, edge))
        for (int i = 0; i < piece.length && piece.target + i < rulerLength; ++i)
            ruler[piece.target + i] = char('0' + piece.source + i);
    return ruler;
}
} // namespace

TEST(RulerStretch, EdgesStayAndTheMiddleRepeats)
{
    struct Case { int ruler, image, edge; std::string shown; };
    const Case cases[] = {
        {10, 10, 2, "0123456789"},
        {13, 10, 2, "0123456756789"},
        {20, 10, 2, "01234567234567456789"},
        // Shorter than the image: its start only.
        {5, 10, 2, "01234"},
        {3, 10, 2, "012"},
        {0, 10, 2, ""},
        {7, 7, 0, "0123456"},
        {9, 3, 1, "011111112"},
        // An edge too large for a smaller image is reduced so that a middle remains.
        {12, 4, 5, "012121212123"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Stretched(c.ruler, c.image, c.edge), c.shown) << c.ruler << " " << c.image << " " << c.edge;

    // The position slider's 131 pixels: 22 pieces, the last one ends the ruler.
    const auto pieces = StretchRuler(131, 10, 2);
    ASSERT_EQ(pieces.size(), 22u);
    EXPECT_EQ(pieces.back(), (RulerPiece{7, 3, 128}));
}
