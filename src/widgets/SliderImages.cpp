#include "widgets/SliderImages.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>

namespace {
const QColor Black(0, 0, 0), White(255, 255, 255), Silver(192, 192, 192), Gray(128, 128, 128);

QImage Blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(SliderTransparentColor);
    return image;
}

// Exchanges x and y: a horizontal image turned into the vertical one, light edges still at the
// top and left.
QImage Transposed(const QImage &image)
{
    QImage result(image.height(), image.width(), image.format());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            result.setPixel(y, x, image.pixel(x, y));
    return result;
}

// One state of the horizontal thumb: a raised button whose lower end points down. The pressed
// state has a dithered face.
void PaintThumbState(QImage &image, int left, int width, int height, bool pressed)
{
    const int half = (width - 1) / 2;  // the point's height
    const int bodyBottom = height - 1 - half;
    const int right = left + width - 1;
    QPainter p(&image);
    const QPolygon outline({{left, 0}, {right, 0}, {right, bodyBottom}, {right - half, height - 1},
                            {left + half, height - 1}, {left, bodyBottom}});
    p.setPen(Silver);
    p.setBrush(Silver);
    p.drawPolygon(outline);
    p.setPen(White);
    p.drawLine(left, 0, right - 1, 0);
    p.drawLine(left, 0, left, bodyBottom);
    p.drawLine(left, bodyBottom, left + half, height - 1);
    p.setPen(Gray);
    p.drawLine(right - 1, 1, right - 1, bodyBottom);
    p.drawLine(right - 1, bodyBottom, right - half, height - 2);
    p.setPen(Black);
    p.drawLine(right, 0, right, bodyBottom);
    p.drawLine(right, bodyBottom, right - half, height - 1);
    p.end();
    if (!pressed)
        return;
    const QRgb face = Silver.rgb();
    for (int y = 1; y < height - 1; ++y)
        for (int x = left + 1; x < right - 1; ++x)
            if ((x + y) % 2 == 1 && image.pixel(x, y) == face)
                image.setPixel(x, y, White.rgb());
}

QImage HorizontalThumb(int width, int height)
{
    QImage image = Blank(2 * width, height);
    PaintThumbState(image, 0, width, height, false);
    PaintThumbState(image, width, width, height, true);
    return image;
}

// A sunken groove along the middle of the image, its ends closed within the first and the
// last two pixels (the ruler's default edge size).
QImage HorizontalRuler(int length, int thickness, int grooveThickness)
{
    QImage image = Blank(length, thickness);
    const int top = (thickness - grooveThickness) / 2, bottom = top + grooveThickness - 1;
    const int right = length - 1;
    QPainter p(&image);
    p.fillRect(QRect(QPoint(1, top + 1), QPoint(right - 1, bottom - 1)), Silver);
    p.setPen(Gray);
    p.drawLine(0, top, right - 1, top);
    p.drawLine(0, top, 0, bottom - 1);
    p.setPen(Black);
    p.drawLine(1, top + 1, right - 2, top + 1);
    p.drawLine(1, top + 1, 1, bottom - 1);
    p.setPen(White);
    p.drawLine(0, bottom, right, bottom);
    p.drawLine(right, top, right, bottom);
    return image;
}
} // namespace

QPixmap BuiltInSliderImage(SliderImage index, const std::function<int(int)> &scale)
{
    const QSize thumb = SliderModel::builtInImageSize(ImageHThumb), ruler = SliderModel::builtInImageSize(ImageHRuler);
    // Each state is scaled on its own, so that the image stays exactly two states wide.
    const int thumbWidth = scale(thumb.width() / 2), thumbHeight = scale(thumb.height());
    const int length = scale(ruler.width()), groove = scale(4);
    switch (index) {
    case ImageHThumb: return QPixmap::fromImage(HorizontalThumb(thumbWidth, thumbHeight));
    case ImageHRuler: return QPixmap::fromImage(HorizontalRuler(length, scale(ruler.height()), groove));
    case ImageVThumb: {
        // The vertical states stand side by side as well, so each is transposed on its own.
        const QImage horizontal = HorizontalThumb(thumbWidth, thumbHeight);
        QImage image = Blank(2 * thumbHeight, thumbWidth);
        QPainter p(&image);
        for (int state = 0; state < 2; ++state)
            p.drawImage(state * thumbHeight, 0, Transposed(horizontal.copy(state * thumbWidth, 0, thumbWidth, thumbHeight)));
        p.end();
        return QPixmap::fromImage(image);
    }
    case ImageVRuler: return QPixmap::fromImage(Transposed(HorizontalRuler(length, scale(SliderModel::builtInImageSize(ImageVRuler).width()), groove)));
    }
    return {};
}

QPixmap WithoutTransparentColor(const QPixmap &image)
{
    QPixmap result = image;
    result.setMask(image.createMaskFromColor(SliderTransparentColor, Qt::MaskInColor));
    return result;
}
