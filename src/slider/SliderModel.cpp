#include "slider/SliderModel.h"

#include "util/Rounding.h"

#include <algorithm>
#include <cstdint>

SliderMetrics SliderMetrics::Designed(const std::function<int(int)> &scale)
{
    const SliderMetrics d;
    return {scale(d.margin),     scale(d.pointsGap),  scale(d.markWidth), scale(d.markHeight),
            scale(d.extremeMarkHeight), scale(d.minMarkGap), scale(d.focusInset)};
}

QSize SliderModel::builtInImageSize(SliderImage index)
{
    static const QSize sizes[] = {{18, 17}, {10, 10}, {34, 9}, {8, 10}};
    return sizes[index];
}

SliderModel::SliderModel(SliderMetrics metrics) : metrics_(metrics), size_(DefaultSize)
{
    for (int i = 0; i < 4; ++i)
        imageSizes_[i] = builtInImageSize(SliderImage(i));
    layout();
}

void SliderModel::setImageSize(SliderImage index, QSize size)
{
    imageSizes_[index] = size;
    layout();
}

void SliderModel::setSize(QSize size)
{
    size_ = size;
    layout();
}

int SliderModel::rulerImageLength() const
{
    return horizontal() ? rulerImage().width() : rulerImage().height();
}

bool SliderModel::setEdgeSize(int value)
{
    if (value < 0 || 2 * int64_t(value) >= rulerImageLength())
        return false;
    edgeSize_ = value;
    layout();
    return true;
}

void SliderModel::setNumThumbStates(int value)
{
    if (value != 1 && value != 2)
        return;
    numThumbStates_ = value;
    // The thumb's width changes the track length.
    layout();
}

void SliderModel::setOrientation(TSliderOrientation value)
{
    if (value == orientation_)
        return;
    orientation_ = value;
    layout();
}

bool SliderModel::setMinValue(int value)
{
    if (value == minValue_ || int64_t(value) > int64_t(maxValue_) - increment_)
        return false;
    minValue_ = value;
    return true;
}

bool SliderModel::setMaxValue(int value)
{
    if (value == maxValue_ || int64_t(value) < int64_t(minValue_) + increment_)
        return false;
    maxValue_ = value;
    return true;
}

bool SliderModel::setIncrement(int value)
{
    if (value <= 0 || value == increment_)
        return false;
    increment_ = value;
    // Without soSmooth the thumb snaps to the new step.
    setValue(value_);
    return true;
}

bool SliderModel::setValue(int value)
{
    const int old = value_;
    value_ = std::clamp(value, minValue_, maxValue_);
    placeThumb(positionOf(value_));
    return value_ != old;
}

QSize SliderModel::thumbSize() const
{
    return {thumbImage().width() / numThumbStates_, thumbImage().height()};
}

int SliderModel::trackLength() const
{
    return horizontal() ? rulerSize_.width() - thumbSize().width() : rulerSize_.height() - thumbSize().height();
}

void SliderModel::layout()
{
    const int m = metrics_.margin;
    const QSize thumb = thumbSize();
    const QSize image = rulerImage();
    if (horizontal()) {
        rulerSize_ = {std::max(0, size_.width() - 2 * m), image.height()};
        const int rh = rulerSize_.height(), th = thumb.height();
        if (rh < th) {
            thumbPos_ = {m, m};
            rulerOrigin_ = {m, (th - rh) / 2 + m};
        } else {
            thumbPos_ = {m, (rh - th) / 2 + m};
            rulerOrigin_ = {m, m};
        }
        pointsArea_.setCoords(rulerOrigin_.x(), std::max(rh, th) + m + metrics_.pointsGap,
                              rulerSize_.width() + rulerOrigin_.x(), size_.height() - 1);
    } else {
        rulerSize_ = {image.width(), std::max(0, size_.height() - 2 * m)};
        const int rw = rulerSize_.width(), tw = thumb.width();
        if (rw < tw) {
            thumbPos_ = {m, m};
            rulerOrigin_ = {(tw - rw) / 2 + m, m};
        } else {
            thumbPos_ = {(rw - tw) / 2 + m, m};
            rulerOrigin_ = {m, m};
        }
        pointsArea_.setCoords(std::max(rw, tw) + m + metrics_.pointsGap, rulerOrigin_.y(), size_.width() - 1,
                              rulerSize_.height() + rulerOrigin_.y());
    }
    setValue(value_);
}

std::vector<RulerPiece> SliderModel::rulerPieces() const
{
    return StretchRuler(horizontal() ? rulerSize_.width() : rulerSize_.height(), rulerImageLength(), edgeSize_);
}

int SliderModel::positionOf(int value) const
{
    const int64_t range = int64_t(maxValue_) - minValue_;
    // Products in 64 bits: a track of hours in milliseconds times the track length overflows 32.
    return NearestRatio(int64_t(std::max(0, trackLength())) * (int64_t(value) - minValue_), range) + metrics_.margin;
}

int SliderModel::valueAt(int position) const
{
    const int track = trackLength();
    if (track <= 0)
        return minValue_;
    int64_t v = NearestRatio((int64_t(position) - metrics_.margin) * (int64_t(maxValue_) - minValue_), track);
    if (!(options_ & soSmooth))
        v = v / increment_ * increment_;
    return int(v + minValue_);
}

int SliderModel::edgeToPosition(QPoint thumbTopLeft) const
{
    return horizontal() ? thumbTopLeft.x() : size_.height() - thumbTopLeft.y() - thumbSize().height();
}

void SliderModel::placeThumb(int position)
{
    const int m = metrics_.margin;
    int p = std::clamp(position, m, std::max(0, trackLength()) + m);
    if (!(options_ & soSmooth))
        p = positionOf(valueAt(p));
    if (horizontal())
        thumbPos_.setX(p);
    else
        thumbPos_.setY(size_.height() - p - thumbSize().height());
}

SliderModel::Step SliderModel::stepForKey(int key, Qt::KeyboardModifiers modifiers) const
{
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return Step::None;
    switch (key) {
    case Qt::Key_Home: return Step::Home;
    case Qt::Key_End: return Step::End;
    case Qt::Key_Right: return horizontal() ? Step::Up : Step::None;
    case Qt::Key_Left: return horizontal() ? Step::Down : Step::None;
    case Qt::Key_Up: return horizontal() ? Step::None : Step::Up;
    case Qt::Key_Down: return horizontal() ? Step::None : Step::Down;
    default: return Step::None;
    }
}

bool SliderModel::step(Step step)
{
    // From a value between two multiples of the increment, a step goes from the multiple
    // nearer to zero.
    const int64_t base = int64_t(value_) / increment_ * increment_;
    int64_t target;
    switch (step) {
    case Step::Home: target = minValue_; break;
    case Step::End: target = maxValue_; break;
    case Step::Up: target = base + increment_; break;
    case Step::Down: target = base - increment_; break;
    default: return false;
    }
    return setValue(int(std::clamp<int64_t>(target, minValue_, maxValue_)));
}

SliderModel::Step SliderModel::regionAt(QPoint point) const
{
    const QSize thumb = thumbSize();
    if (horizontal()) {
        if (point.x() < thumbPos_.x())
            return Step::Down;
        return point.x() >= thumbPos_.x() + thumb.width() ? Step::Up : Step::None;
    }
    if (point.y() < thumbPos_.y())
        return Step::Up;
    return point.y() >= thumbPos_.y() + thumb.height() ? Step::Down : Step::None;
}

bool SliderModel::pressRuler(QPoint point)
{
    pressed_ = true;
    lastPoint_ = point;
    pressedRegion_ = regionAt(point);
    return repeatRuler();
}

void SliderModel::moveRuler(QPoint point)
{
    if (pressed_)
        lastPoint_ = point;
}

bool SliderModel::repeatRuler()
{
    // Once the thumb has reached the pointer the region differs and the stepping stops.
    if (!pressed_ || regionAt(lastPoint_) != pressedRegion_)
        return false;
    return step(pressedRegion_);
}

void SliderModel::pressThumb(QPoint inThumb)
{
    grabOffset_ = horizontal() ? inThumb.x() : inThumb.y();
    tracking_ = true;
}

bool SliderModel::dragThumb(QPoint point)
{
    if (!tracking_)
        return false;
    const QPoint edge = horizontal() ? QPoint(point.x() - grabOffset_, 0) : QPoint(0, point.y() - grabOffset_);
    placeThumb(edgeToPosition(edge));
    const int old = value_;
    value_ = valueAt(edgeToPosition(thumbPos_));
    return value_ != old;
}

bool SliderModel::releaseThumb()
{
    const bool wasTracking = tracking_;
    tracking_ = false;
    return wasTracking;
}

std::vector<QRect> SliderModel::marks(int step, int height, int extremeHeight) const
{
    if (step <= 0)
        return {};
    const int64_t range = int64_t(maxValue_) - minValue_;
    const int64_t track = trackLength();
    // The gap between marks grows with k; k = last (a single mark) always fits.
    const auto fits = [&](int64_t k) {
        const int64_t n = range / (k * step) + 1;
        const int64_t gap = n == 1 ? track : (track - n) / (n - 1);
        return gap >= metrics_.minMarkGap || gap == track;
    };
    int64_t low = 1, high = range / step + 1;
    while (low < high) {
        const int64_t mid = low + (high - low) / 2;
        if (fits(mid))
            high = mid;
        else
            low = mid + 1;
    }
    const int64_t stride = low * step;

    std::vector<QRect> result;
    const QSize thumb = thumbSize();
    for (int64_t v = minValue_; v <= maxValue_; v += stride) {
        const int length = v == minValue_ || v == maxValue_ ? extremeHeight : height;
        const int p = positionOf(int(v));
        if (horizontal()) {
            result.emplace_back(thumb.width() / 2 + p, pointsArea_.top(), metrics_.markWidth, length);
        } else {
            // Under the middle of the thumb as it stands at v, so MinValue's mark is at the bottom.
            const int thumbTop = size_.height() - p - thumb.height();
            result.emplace_back(pointsArea_.left(), thumbTop + thumb.height() / 2, length, metrics_.markWidth);
        }
    }
    return result;
}
