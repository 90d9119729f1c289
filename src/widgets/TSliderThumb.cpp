#include "widgets/TSliderThumb.h"

#include "widgets/SliderImages.h"

#include <QMouseEvent>
#include <QPainter>

TSliderThumb::TSliderThumb(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TSliderThumb::setBitmap(const QPixmap &bitmap)
{
    bitmap_ = bitmap;
    shown_ = WithoutTransparentColor(bitmap);
    fitBitmap();
}

void TSliderThumb::setNumStates(int states)
{
    if (states != 1 && states != 2)
        return;
    numStates_ = states;
    fitBitmap();
}

void TSliderThumb::setDown(bool down)
{
    if (down == down_)
        return;
    down_ = down;
    update();
}

void TSliderThumb::fitBitmap()
{
    resize(bitmap_.width() / numStates_, bitmap_.height());
    update();
}

void TSliderThumb::paintEvent(QPaintEvent *)
{
    const int state = numStates_ == 2 && down_ ? 1 : 0;
    QPainter(this).drawPixmap(0, 0, shown_, state * width(), 0, width(), height());
}

void TSliderThumb::mousePressEvent(QMouseEvent *event)
{
    if (OnMouseDown)
        OnMouseDown(event);
}

void TSliderThumb::mouseMoveEvent(QMouseEvent *event)
{
    if (OnMouseMove)
        OnMouseMove(event);
}

void TSliderThumb::mouseReleaseEvent(QMouseEvent *event)
{
    if (OnMouseUp)
        OnMouseUp(event);
}
