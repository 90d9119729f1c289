#include "widgets/MessageLayout.h"
#include "widgets/Scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(Scale, DesignPixelsAtOtherResolutions)
{
    struct Case { int design; double dpi; int expected; };
    const Case cases[] = {
        {949, 144, 949}, {407, 96, 271}, {405, 96, 270}, {16, 96, 11}, {27, 96, 18},
        {1, 72, 0},      {3, 72, 2},     {5, 72, 2},  // exact halves go to the even neighbour
        {27, 120, 22},   {25, 120, 21},  {512, 192, 683}, {10, 216, 15},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ScaleToDpi(c.design, c.dpi), c.expected) << c.design << " at " << c.dpi;
}

TEST(MessageLayout, SpacingFollowsTheDialogUnits)
{
    // The units divide the sample's width by its letters, rounding down.
    EXPECT_EQ(DialogUnitsFromSample(364, 13).x, 7);
    EXPECT_EQ(DialogUnitsFromSample(363, 13).x, 6);
    EXPECT_EQ(DialogUnitsFromSample(363, 13).y, 13);
    // Margins, spacings, button size and the gap between buttons, rounded as MulDiv rounds.
    struct Case { DialogUnits units; std::vector<int> expected; };
    const Case cases[] = {
        {{6, 13}, {12, 13, 15, 16, 75, 23, 6}},
        {{7, 16}, {14, 16, 18, 20, 88, 28, 7}},  // 17.5 and 87.5 round up to even
        {{5, 12}, {10, 12, 12, 15, 62, 21, 5}},  // 12.5 and 62.5 round down to even
    };
    for (const Case &c : cases) {
        const MessageSpacing s = SpacingFor(c.units);
        const std::vector<int> got{s.horzMargin, s.vertMargin,   s.horzSpacing,  s.vertSpacing,
                                   s.buttonWidth, s.buttonHeight, s.buttonSpacing};
        EXPECT_EQ(got, c.expected) << "units " << c.units.x << "x" << c.units.y;
    }
}

TEST(MessageLayout, BoxLayout)
{
    // Units 6 x 13: margins 12/13, spacing 15/16, buttons 75 x 23, 6 apart.
    struct PlacedButton { MsgDlgBtn button; QRect rect; };
    struct Case { const char *name; QSize text; bool hasIcon; MsgDlgButtons buttons; QRect screen;
                  QSize client; QPoint topLeft; QRect message; std::vector<PlacedButton> placed; };
    const QRect screen(0, 0, 800, 600);
    const Case cases[] = {
        {"Retry question: the text is wider than the buttons", QSize(200, 13), true,
         ButtonSet({mbRetry, mbCancel}), screen, QSize(271, 97), QPoint(265, 252), QRect(59, 13, 200, 13),
         {{mbCancel, QRect(57, 61, 75, 23)}, {mbRetry, QRect(138, 61, 75, 23)}}},
        {"Save question: the buttons are wider than the text", QSize(100, 13), true,
         ButtonSet({mbCancel, mbNo, mbYes}), screen, QSize(261, 97), QPoint(270, 252), QRect(59, 13, 100, 13),
         {{mbYes, QRect(12, 61, 75, 23)}, {mbNo, QRect(93, 61, 75, 23)}, {mbCancel, QRect(174, 61, 75, 23)}}},
        {"Long text: the box grows downwards", QSize(398, 91), true, ButtonSet({mbOK}), screen,
         QSize(469, 156), QPoint(166, 222), QRect(59, 13, 398, 91), {{mbOK, QRect(197, 120, 75, 23)}}},
        {"Custom: no icon, the text starts at the margin", QSize(300, 40), false, ButtonSet({mbOK}), screen,
         QSize(324, 105), QPoint(238, 248), QRect(12, 13, 300, 40), {{mbOK, QRect(124, 69, 75, 23)}}},
        {"No buttons still leave room for their row", QSize(100, 13), false, 0, screen, QSize(124, 78),
         QPoint(338, 261), QRect(12, 13, 100, 13), {}},
        {"Second screen: centred on it", QSize(200, 13), true, ButtonSet({mbOK}), QRect(800, 100, 1024, 768),
         QSize(271, 97), QPoint(800 + 512 - 135, 100 + 384 - 48), QRect(59, 13, 200, 13),
         {{mbOK, QRect(98, 61, 75, 23)}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const MessageBoxLayout layout = LayoutMessageBox({6, 13}, c.text, c.hasIcon, c.buttons, c.screen);
        EXPECT_EQ(layout.clientSize, c.client);
        EXPECT_EQ(layout.topLeft, c.topLeft);
        EXPECT_EQ(layout.message, c.message);
        EXPECT_EQ(layout.icon, c.hasIcon ? QRect(12, 13, 32, 32) : QRect());
        const auto placedCount =
            std::count_if(layout.buttons.begin(), layout.buttons.end(), [](const QRect &r) { return !r.isNull(); });
        EXPECT_EQ(placedCount, static_cast<int>(c.placed.size()));
        for (const PlacedButton &p : c.placed)
            EXPECT_EQ(layout.buttons[p.button], p.rect) << "button " << p.button;
    }
}

} // namespace
