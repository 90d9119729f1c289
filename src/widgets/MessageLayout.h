#pragma once
// Layout of the program's message dialog, worked out in dialog units of its font. Plain
// arithmetic, so it is tested without a display.

#include "app/MessageTexts.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

// The text whose width, divided by its 52 letters, gives the horizontal dialog unit.
inline constexpr char DialogUnitSample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// Average letter width and line height of a font.
struct DialogUnits {
    int x = 0, y = 0;
};
DialogUnits DialogUnitsFromSample(int sampleWidth, int sampleHeight);

// a × b / c, rounded to the nearest integer, an exact half to the even neighbour.
int MulDiv(int a, int b, int c);

struct MessageSpacing {
    int horzMargin = 0, vertMargin = 0, horzSpacing = 0, vertSpacing = 0;
    int buttonWidth = 0, buttonHeight = 0, buttonSpacing = 0;
};
MessageSpacing SpacingFor(DialogUnits units);

inline constexpr int MessageIconSize = 32;

// The message is word-wrapped to this width before it is measured.
int MessageWrapWidth(const QRect &screen);

struct MessageBoxLayout {
    QSize clientSize;
    QPoint topLeft;  // centred on the screen
    QRect icon;      // empty without an icon
    QRect message;
    std::array<QRect, MessageButtonCount> buttons;  // by button index; empty when not in the set
};

// textSize: the wrapped message as measured in the dialog's font.
MessageBoxLayout LayoutMessageBox(DialogUnits units, QSize textSize, bool hasIcon, MsgDlgButtons buttons,
                                  const QRect &screen);
