#pragma once
// Windows are laid out at 144 pixels per inch; these helpers bring design pixels to the screen.

#include "util/Rounding.h"

class QFont;
class QScreen;

constexpr int DesignDpi = 144;

// Design pixels at the given logical DPI.
int ScaleToDpi(int designPixels, double logicalDpi);

// Design pixels on the given screen (the primary screen when none is given).
int Scaled(int designPixels, const QScreen *screen = nullptr);

// The "MS Sans Serif" of a window designed at 144 DPI: the desktop's sans-serif font at the
// given design pixel height, scaled to the screen.
QFont DesignFont(int designPixelHeight, const QScreen *screen = nullptr);
