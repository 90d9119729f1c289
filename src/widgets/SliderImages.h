#pragma once
// The slider's built-in images, drawn here in the classic 16 colours on olive, the colour that
// the slider shows as transparent, at the size of the screen.

#include "slider/SliderModel.h"

#include <QColor>
#include <QPixmap>

#include <functional>

// The colour of an image's pixels that are not drawn.
inline const QColor SliderTransparentColor(128, 128, 0);

// A built-in image with every designed length passed through scale; thumbs hold their two
// states side by side.
QPixmap BuiltInSliderImage(SliderImage index, const std::function<int(int)> &scale);

// The image as it is drawn: its olive pixels transparent.
QPixmap WithoutTransparentColor(const QPixmap &image);
