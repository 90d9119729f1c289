#pragma once
// The slider's rules: its properties, where the ruler, the thumb and the tick marks go inside
// the control, the mapping between values and thumb positions, the steps of the keys and of a
// press on the ruler, and dragging the thumb. Plain arithmetic on pixels, so it is tested without
// a display; the widget paints what it computes and feeds it the mouse, the keys and its timer.

#include "slider/RulerStretch.h"

#include <QFlags>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

#include <array>
#include <functional>
#include <vector>

enum class TSliderOrientation { soHorizontal, soVertical };

enum TSliderOption { soShowFocus = 0x1, soShowPoints = 0x2, soSmooth = 0x4 };
using TSliderOptions = QFlags<TSliderOption>;
Q_DECLARE_OPERATORS_FOR_FLAGS(TSliderOptions)

// The four images of a slider, by index.
enum SliderImage { ImageHThumb = 0, ImageHRuler = 1, ImageVThumb = 2, ImageVRuler = 3 };

// The fixed distances of the layout, in pixels of the screen.
struct SliderMetrics {
    int margin = 6;  // around the ruler and the thumb
    int pointsGap = 1;  // between the thumb or ruler and the tick marks
    int markWidth = 1;
    int markHeight = 3;
    int extremeMarkHeight = 4;  // the marks of MinValue and MaxValue
    int minMarkGap = 3;  // marks are thinned out until this much space lies between them
    int focusInset = 2;
    // The metrics as designed at 144 pixels per inch, each passed through scale.
    static SliderMetrics Designed(const std::function<int(int)> &scale);
};

class SliderModel {
public:
    enum class Step { None, Home, End, Up, Down };
    // How often a press held on the ruler steps again, in milliseconds.
    static constexpr int RepeatInterval = 400;

    // The designed sizes of the built-in images and of a new control.
    static QSize builtInImageSize(SliderImage index);
    static constexpr QSize DefaultSize{140, 40};

    explicit SliderModel(SliderMetrics metrics = {});

    const SliderMetrics &metrics() const { return metrics_; }

    // Sizes of the four images; each change lays the control out again. A new layout sets the
    // value again, which clamps one that a new limit left outside the range.
    QSize imageSize(SliderImage index) const { return imageSizes_[index]; }
    void setImageSize(SliderImage index, QSize size);
    void setSize(QSize size);
    QSize size() const { return size_; }

    int EdgeSize() const { return edgeSize_; }
    // Taken only when not negative and twice the value is less than the ruler image's length.
    bool setEdgeSize(int value);
    int NumThumbStates() const { return numThumbStates_; }
    // 1 or 2; other values are ignored.
    void setNumThumbStates(int value);
    TSliderOrientation Orientation() const { return orientation_; }
    void setOrientation(TSliderOrientation value);
    TSliderOptions Options() const { return options_; }
    void setOptions(TSliderOptions value) { options_ = value; }

    int MinValue() const { return minValue_; }
    // Taken only when at most MaxValue - Increment; the value and the thumb stay as they are.
    bool setMinValue(int value);
    int MaxValue() const { return maxValue_; }
    // Taken only when at least MinValue + Increment; the value and the thumb stay as they are.
    bool setMaxValue(int value);
    int Increment() const { return increment_; }
    // Taken only when above 0; the value is set again, placing the thumb for the new step.
    bool setIncrement(int value);
    int Value() const { return value_; }
    // Clamps to MinValue ... MaxValue and places the thumb. True when the value changed.
    bool setValue(int value);

    // Layout.
    QSize rulerSize() const { return rulerSize_; }
    QPoint rulerOrigin() const { return rulerOrigin_; }
    // The copies from the ruler image along the ruler's length (x horizontal, y vertical).
    std::vector<RulerPiece> rulerPieces() const;
    QSize thumbSize() const;
    QPoint thumbPos() const { return thumbPos_; }
    // Where tick marks are drawn, edges included.
    QRect pointsArea() const { return pointsArea_; }
    int trackLength() const;

    // The thumb position of a value: distance of the thumb's left edge (horizontal) or bottom
    // edge (vertical) from the control's start edge.
    int positionOf(int value) const;
    // The value of a thumb position, snapped to the increment without soSmooth.
    int valueAt(int position) const;

    // Keys (Qt key codes) that step the value; Step::None for the others.
    Step stepForKey(int key, Qt::KeyboardModifiers modifiers) const;
    // True when the value changed.
    bool step(Step step);

    // A left press on the ruler steps towards the pointer at once; repeatRuler(), called every
    // RepeatInterval while the button is held, steps again while the pointer stays on that side
    // of the thumb. Each returns true when the value changed.
    bool pressRuler(QPoint point);
    void moveRuler(QPoint point);
    bool repeatRuler();
    void releaseRuler() { pressed_ = false; }
    bool rulerPressed() const { return pressed_; }
    // The step that a press at this point makes, from where the thumb is now.
    Step regionAt(QPoint point) const;

    // Dragging: the press point inside the thumb, then each pointer position in control
    // coordinates. dragThumb returns true when the value changed, releaseThumb when a drag ended.
    void pressThumb(QPoint inThumb);
    bool dragThumb(QPoint point);
    bool releaseThumb();
    bool tracking() const { return tracking_; }

    // Tick marks for every k-th step from MinValue to MaxValue, k the smallest that leaves at
    // least minMarkGap pixels between them; extremeHeight long at MinValue and MaxValue.
    std::vector<QRect> marks(int step, int height, int extremeHeight) const;

private:
    void layout();
    int edgeToPosition(QPoint thumbTopLeft) const;
    // Clamps, snaps without soSmooth and moves the thumb.
    void placeThumb(int position);
    int rulerImageLength() const;
    bool horizontal() const { return orientation_ == TSliderOrientation::soHorizontal; }
    QSize thumbImage() const { return imageSizes_[horizontal() ? ImageHThumb : ImageVThumb]; }
    QSize rulerImage() const { return imageSizes_[horizontal() ? ImageHRuler : ImageVRuler]; }

    SliderMetrics metrics_;
    std::array<QSize, 4> imageSizes_;
    QSize size_;
    int edgeSize_ = 2;
    int numThumbStates_ = 2;
    TSliderOrientation orientation_ = TSliderOrientation::soHorizontal;
    TSliderOptions options_ = soShowFocus | soShowPoints | soSmooth;
    int minValue_ = 0;
    int maxValue_ = 100;
    int increment_ = 10;
    int value_ = 0;

    QSize rulerSize_;
    QPoint rulerOrigin_;
    QPoint thumbPos_;
    QRect pointsArea_;

    int grabOffset_ = 0;
    bool tracking_ = false;
    bool pressed_ = false;
    QPoint lastPoint_;
    Step pressedRegion_ = Step::None;
};
