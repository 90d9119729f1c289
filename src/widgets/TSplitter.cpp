#include "widgets/TSplitter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

TSplitter::TSplitter(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::SplitHCursor);
}

void TSplitter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QStyleOption option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal;
    style()->drawControl(QStyle::CE_Splitter, &option, &p, this);
}

int TSplitter::clampedLeft(int left) const
{
    const int room = parentWidget() ? parentWidget()->width() : left + width();
    return std::max(minSize_, std::min(left, room - width() - minSize_));
}

void TSplitter::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        grabOffset_ = event->position().toPoint().x();
        raise();
    }
}

void TSplitter::mouseMoveEvent(QMouseEvent *event)
{
    if (grabOffset_ < 0)
        return;
    const int left = clampedLeft(mapToParent(event->position().toPoint()).x() - grabOffset_);
    move(left, y());
}

void TSplitter::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || grabOffset_ < 0)
        return;
    grabOffset_ = -1;
    emit moved(x());
}
