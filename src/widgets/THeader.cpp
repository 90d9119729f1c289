#include "widgets/THeader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int GrabDistance = 3;
// The list skips sections of width 0 and keeps their old column, so a drag stops short of 0.
constexpr int MinDraggedWidth = 1;
} // namespace

THeader::THeader(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void THeader::addSection(const QString &title, int width)
{
    sections_.push_back({title, std::max(0, width)});
    update();
}

int THeader::setSectionWidth(int index, int width)
{
    if (index < 0 || index >= sectionCount())
        return 0;
    sections_[index].width = std::max(0, width);
    update();
    return sections_[index].width;
}

std::vector<int> THeader::sectionWidths() const
{
    std::vector<int> widths;
    for (const Section &s : sections_)
        widths.push_back(s.width);
    return widths;
}

QSize THeader::sizeHint() const
{
    int total = 0;
    for (const Section &s : sections_)
        total += s.width;
    return {total, fontMetrics().height() + 6};
}

int THeader::edgeAt(int x) const
{
    int edge = 0;
    int found = -1;
    for (int i = 0; i < sectionCount(); ++i) {
        edge += sections_[i].width;
        // The last matching edge wins, so sections squeezed to nothing can still be pulled open.
        if (std::abs(x - edge) <= GrabDistance)
            found = i;
    }
    return found;
}

void THeader::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionHeader option;
    option.initFrom(this);
    int left = 0;
    for (int i = 0; i < sectionCount(); ++i) {
        const Section &s = sections_[i];
        if (s.width > 0) {
            option.rect = QRect(left, 0, s.width, height());
            option.text = s.title;
            option.section = i;
            option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
            option.position = QStyleOptionHeader::Middle;
            style()->drawControl(QStyle::CE_Header, &option, &painter, this);
        }
        left += s.width;
    }
    if (left < width()) {
        option.rect = QRect(left, 0, width() - left, height());
        option.text.clear();
        option.section = sectionCount();
        style()->drawControl(QStyle::CE_Header, &option, &painter, this);
    }
}

void THeader::mousePressEvent(QMouseEvent *event)
{
    const int x = event->position().toPoint().x();
    dragged_ = event->button() == Qt::LeftButton ? edgeAt(x) : -1;
    if (dragged_ < 0)
        return;
    int edge = 0;
    for (int i = 0; i <= dragged_; ++i)
        edge += sections_[i].width;
    dragOffset_ = x - edge;
}

void THeader::mouseMoveEvent(QMouseEvent *event)
{
    const int x = event->position().toPoint().x();
    if (dragged_ < 0) {
        setCursor(edgeAt(x) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
        return;
    }
    int left = 0;
    for (int i = 0; i < dragged_; ++i)
        left += sections_[i].width;
    const int width = std::max(MinDraggedWidth, x - dragOffset_ - left);
    if (width == sections_[dragged_].width)
        return;
    sections_[dragged_].width = width;
    update();
    emit sizing(dragged_, width);
}

void THeader::mouseReleaseEvent(QMouseEvent *event)
{
    if (dragged_ < 0 || event->button() != Qt::LeftButton)
        return;
    const int index = dragged_;
    dragged_ = -1;
    emit sized(index, sections_[index].width);
}

void THeader::leaveEvent(QEvent *)
{
    if (dragged_ < 0)
        unsetCursor();
}
