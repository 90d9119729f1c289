#include "widgets/TSlider.h"

#include "widgets/Scale.h"
#include "widgets/SliderImages.h"
#include "widgets/TSliderThumb.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
int ToScreen(int designPixels)
{
    return Scaled(designPixels);
}
} // namespace

TSlider::TSlider(QWidget *parent)
    : QWidget(parent), model_(SliderMetrics::Designed(ToScreen)), thumb_(new TSliderThumb(this)), repeatTimer_(this)
{
    setFocusPolicy(Qt::StrongFocus);
    thumb_->OnMouseDown = [this](QMouseEvent *event) { ThumbMouseDown(event); };
    thumb_->OnMouseMove = [this](QMouseEvent *event) { ThumbMouseMove(event); };
    thumb_->OnMouseUp = [this](QMouseEvent *event) { ThumbMouseUp(event); };
    repeatTimer_.setInterval(SliderModel::RepeatInterval);
    connect(&repeatTimer_, &QTimer::timeout, this, [this] {
        model_.repeatRuler();
        afterChange();
    });

    for (int i = 0; i < int(images_.size()); ++i)
        loadImage(SliderImage(i), QPixmap());
    thumb_->setBitmap(images_[thumbImage()]);
    const QSize size(ToScreen(SliderModel::DefaultSize.width()), ToScreen(SliderModel::DefaultSize.height()));
    resize(size);
    // A hidden widget gets its resize event only when shown.
    model_.setSize(size);
    relayout();
}

void TSlider::loadImage(SliderImage index, const QPixmap &image)
{
    userImages_[index] = !image.isNull();
    images_[index] = image.isNull() ? BuiltInSliderImage(index, ToScreen) : image;
    model_.setImageSize(index, images_[index].size());
}

SliderImage TSlider::thumbImage() const
{
    return Orientation() == TSliderOrientation::soHorizontal ? ImageHThumb : ImageVThumb;
}

void TSlider::setImage(SliderImage index, const QPixmap &image)
{
    loadImage(index, image);
    if (index == thumbImage())
        thumb_->setBitmap(images_[index]);
    relayout();
    update();
}

void TSlider::setEdgeSize(int value)
{
    if (!model_.setEdgeSize(value))
        return;
    relayout();
    update();
}

void TSlider::setNumThumbStates(int value)
{
    model_.setNumThumbStates(value);
    thumb_->setNumStates(model_.NumThumbStates());
    relayout();
}

void TSlider::setOrientation(TSliderOrientation value)
{
    if (value == Orientation())
        return;
    model_.setOrientation(value);
    thumb_->setBitmap(images_[thumbImage()]);
    relayout();
    update();
}

void TSlider::setOptions(TSliderOptions value)
{
    if (value == Options())
        return;
    model_.setOptions(value);
    update();
}

void TSlider::setMinValue(int value)
{
    if (model_.setMinValue(value) && (Options() & soShowPoints))
        update();
}

void TSlider::setMaxValue(int value)
{
    if (model_.setMaxValue(value) && (Options() & soShowPoints))
        update();
}

void TSlider::setIncrement(int value)
{
    if (!model_.setIncrement(value))
        return;
    afterChange();
    update();
}

void TSlider::setValue(int value)
{
    model_.setValue(value);
    afterChange();
}

void TSlider::afterChange()
{
    thumb_->setGeometry(QRect(model_.thumbPos(), model_.thumbSize()));
    if (Value() == reportedValue_)
        return;
    reportedValue_ = Value();
    if (OnChange)
        OnChange(this);
}

void TSlider::relayout()
{
    const bool horizontal = Orientation() == TSliderOrientation::soHorizontal;
    const QPixmap image = WithoutTransparentColor(images_[horizontal ? ImageHRuler : ImageVRuler]);
    QPixmap ruler(model_.rulerSize());
    if (!ruler.isNull()) {
        ruler.fill(Qt::transparent);
        QPainter p(&ruler);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const RulerPiece &piece : model_.rulerPieces()) {
            if (horizontal)
                p.drawPixmap(piece.target, 0, image, piece.source, 0, piece.length, image.height());
            else
                p.drawPixmap(0, piece.target, image, 0, piece.source, image.width(), piece.length);
        }
    }
    ruler_ = ruler;
    // A new layout sets the value again, which clamps one left outside a narrowed range.
    afterChange();
}

void TSlider::DrawPoints(int step, int height, int extremeHeight)
{
    if (!canvas_)
        return;
    for (const QRect &mark : model_.marks(step, height, extremeHeight))
        canvas_->fillRect(mark, canvas_->brush());
}

void TSlider::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(model_.rulerOrigin(), ruler_);
    const SliderMetrics &metrics = model_.metrics();
    if ((Options() & soShowFocus) && hasFocus()) {
        // A dotted frame of our own: styles may draw theirs only after focus came by keyboard.
        const int inset = metrics.focusInset;
        p.setPen(QPen(palette().color(QPalette::WindowText), 0, Qt::DotLine));
        p.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
    }
    if (Options() & soShowPoints) {
        p.setPen(palette().color(QPalette::WindowText));
        p.setBrush(palette().windowText());
        canvas_ = &p;
        if (OnDrawPoints)
            OnDrawPoints(this);
        else
            DrawPoints(Increment(), metrics.markHeight, metrics.extremeMarkHeight);
        canvas_ = nullptr;
    }
}

void TSlider::resizeEvent(QResizeEvent *)
{
    model_.setSize(size());
    relayout();
}

void TSlider::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    model_.pressRuler(event->position().toPoint());
    afterChange();
    repeatTimer_.start();
}

void TSlider::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second press of a double click makes no step.
}

void TSlider::mouseMoveEvent(QMouseEvent *event)
{
    model_.moveRuler(event->position().toPoint());
}

void TSlider::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    repeatTimer_.stop();
    model_.releaseRuler();
}

void TSlider::keyPressEvent(QKeyEvent *event)
{
    const SliderModel::Step step = model_.stepForKey(event->key(), event->modifiers());
    if (step == SliderModel::Step::None) {
        QWidget::keyPressEvent(event);
        return;
    }
    model_.step(step);
    afterChange();
}

void TSlider::focusInEvent(QFocusEvent *)
{
    if (Options() & soShowFocus)
        update();
}

void TSlider::focusOutEvent(QFocusEvent *)
{
    // A window that opens while the button is held (an error box of an OnChange handler) takes
    // the button's release: stop stepping rather than step on forever.
    repeatTimer_.stop();
    model_.releaseRuler();
    if (Options() & soShowFocus)
        update();
}

void TSlider::ThumbMouseDown(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    model_.pressThumb(event->position().toPoint());
    thumb_->setDown(true);
}

void TSlider::ThumbMouseMove(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !model_.tracking())
        return;
    model_.dragThumb(thumb_->mapToParent(event->position().toPoint()));
    afterChange();
}

void TSlider::ThumbMouseUp(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !model_.releaseThumb())
        return;
    thumb_->setDown(false);
    if (OnStopTracking)
        OnStopTracking(this);
}
