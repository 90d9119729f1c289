#pragma once
// The bitmap slider: a ruler image stretched along the control, a thumb that the user drags,
// presses on the ruler and keys that step the value, tick marks and a focus rectangle. The
// rules are SliderModel's; this widget paints what the model lays out and feeds it the mouse,
// the keys and the repeat timer of a press held on the ruler.
//
// Events are std::function members; an event counts as assigned when it holds a target.

#include "slider/SliderModel.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

class QPainter;
class TSlider;
class TSliderThumb;

using TSliderEvent = std::function<void(TSlider *Sender)>;

class TSlider : public QWidget {
    Q_OBJECT
public:
    explicit TSlider(QWidget *parent = nullptr);

    QPixmap Image(SliderImage index) const { return images_[index]; }
    // Olive pixels are transparent. A null pixmap brings back the built-in image.
    void setImage(SliderImage index, const QPixmap &image);
    bool isUserImage(SliderImage index) const { return userImages_[index]; }

    int EdgeSize() const { return model_.EdgeSize(); }
    void setEdgeSize(int value);
    int NumThumbStates() const { return model_.NumThumbStates(); }
    void setNumThumbStates(int value);
    TSliderOrientation Orientation() const { return model_.Orientation(); }
    // The control keeps its width and height.
    void setOrientation(TSliderOrientation value);
    TSliderOptions Options() const { return model_.Options(); }
    void setOptions(TSliderOptions value);
    int MinValue() const { return model_.MinValue(); }
    void setMinValue(int value);
    int MaxValue() const { return model_.MaxValue(); }
    void setMaxValue(int value);
    int Increment() const { return model_.Increment(); }
    void setIncrement(int value);
    int Value() const { return model_.Value(); }
    void setValue(int value);

    // Tick marks for every k-th step (SliderModel::marks), filled with the canvas's brush.
    // Only while the slider paints: from an OnDrawPoints handler.
    void DrawPoints(int step, int height, int extremeHeight);
    // The painter of the paint in progress; null at other times.
    QPainter *Canvas() const { return canvas_; }

    TSliderThumb *Thumb() const { return thumb_; }
    const SliderModel &model() const { return model_; }

    TSliderEvent OnChange;
    // Replaces the built-in tick marks while soShowPoints is on.
    TSliderEvent OnDrawPoints;
    // The thumb was let go after dragging.
    TSliderEvent OnStopTracking;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void ThumbMouseDown(QMouseEvent *event);
    void ThumbMouseMove(QMouseEvent *event);
    void ThumbMouseUp(QMouseEvent *event);

    void loadImage(SliderImage index, const QPixmap &image);
    SliderImage thumbImage() const;
    // Builds the stretched ruler and places the thumb.
    void relayout();
    // Places the thumb after a change of the model; fires OnChange when the value differs
    // from the one last reported.
    void afterChange();

    SliderModel model_;
    std::array<QPixmap, 4> images_;
    std::array<bool, 4> userImages_{};
    QPixmap ruler_;
    TSliderThumb *thumb_;
    QTimer repeatTimer_;
    QPainter *canvas_ = nullptr;
    int reportedValue_ = 0;
};
