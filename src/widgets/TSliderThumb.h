#pragma once
// The slider's thumb: a child window that shows one state of its bitmap (the states side by
// side), the second while it is dragged, under the hand cursor. Its mouse events go to the
// slider through the OnMouse... members.

#include <QPixmap>
#include <QWidget>

#include <functional>

class QMouseEvent;

using TThumbMouseEvent = std::function<void(QMouseEvent *event)>;

class TSliderThumb : public QWidget {
    Q_OBJECT
public:
    explicit TSliderThumb(QWidget *parent);

    // Olive pixels of the bitmap are transparent. Resizes the thumb to one state.
    void setBitmap(const QPixmap &bitmap);
    const QPixmap &Bitmap() const { return bitmap_; }
    int NumStates() const { return numStates_; }
    // 1 or 2; resizes the thumb.
    void setNumStates(int states);
    bool Down() const { return down_; }
    void setDown(bool down);

    TThumbMouseEvent OnMouseDown;
    TThumbMouseEvent OnMouseMove;
    TThumbMouseEvent OnMouseUp;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitBitmap();

    QPixmap bitmap_;
    QPixmap shown_;  // the bitmap with its transparent colour cut out
    int numStates_ = 2;
    bool down_ = false;
};
