#pragma once
// A vertical splitter bar: while dragged it follows the mouse; when let go it reports where the
// control on its left should end.

#include <QWidget>

class TSplitter : public QWidget {
    Q_OBJECT
public:
    explicit TSplitter(QWidget *parent = nullptr);
    // Each side keeps at least this many pixels.
    void setMinSize(int pixels) { minSize_ = pixels; }

signals:
    // newLeft: the bar's left edge in its parent, which is the new width of the left control.
    void moved(int newLeft);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int clampedLeft(int left) const;
    int grabOffset_ = -1;
    int minSize_ = 30;
};
