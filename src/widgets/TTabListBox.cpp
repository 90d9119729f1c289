#include "widgets/TTabListBox.h"

#include "catalog/ColumnSort.h"
#include "list/ListModel.h"
#include "list/ListNavigation.h"
#include "util/Collation.h"
#include "util/ShortStrings.h"
#include "widgets/THeader.h"

#include <QApplication>
#include <QDrag>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

#include <algorithm>

namespace {
const QColor SelectedTextColor(255, 0, 0);

bool HasOwnColor(const QColor &color)
{
    return (color.rgb() & 0xFFFFFF) != 0;
}
} // namespace

const char *const TabListDragData::MimeType = "application/x-zemlo-tablistbox";

TabListDragData::TabListDragData(TTabListBox *source) : source_(source)
{
    setData(MimeType, QByteArray());
}

TTabListBox::TTabListBox(QWidget *parent) : QAbstractScrollArea(parent)
{
    colors_.fill(QColor(Qt::black));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setBackgroundRole(QPalette::Base);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!syncing_ && model_)
            model_->setTopRow(value);
    });
}

TTabListBox::~TTabListBox() = default;

void TTabListBox::setModel(ListModel *model)
{
    if (model_)
        model_->disconnect(this);
    model_ = model;
    navigation_ = model_ ? std::make_unique<ListNavigation>(*model_) : nullptr;
    pressedRow_ = -1;
    if (model_) {
        connect(model_, &ListState::rowsChanged, this, &TTabListBox::syncScrollBar);
        connect(model_, &ListState::currentRowChanged, this, [this](int row) {
            ensureVisible(row);
            viewport()->update();
        });
        connect(model_, &ListState::selectionChanged, this, [this] { viewport()->update(); });
        connect(model_, &ListState::topRowChanged, this, &TTabListBox::syncScrollBar);
        connect(model_, &QObject::destroyed, this, [this] {
            model_ = nullptr;
            navigation_.reset();
            syncScrollBar();
        });
    }
    syncScrollBar();
}

void TTabListBox::setHeader(THeader *header)
{
    if (header_)
        header_->disconnect(this);
    header_ = header;
    if (!header)
        return;
    lastWidth_ = width();
    connect(header, &THeader::sizing, this, &TTabListBox::updateColumns);
    updateColumns();
}

void TTabListBox::setTabFixedSize(bool on)
{
    columns_.tabFixedSize = on;
    updateColumns();
}

void TTabListBox::updateColumns()
{
    if (!header_)
        return;
    columns_.update(header_->sectionWidths(), width());
    viewport()->update();
}

void TTabListBox::setSortedByTab(int column)
{
    sortedByTab_ = std::clamp(column, 0, 255);
    if (sortedByTab_ > 0 && model_ && model_->count() > 0) {
        if (!collation_)
            collation_ = std::make_unique<Collation>();
        SortByColumn(*model_, sortedByTab_, *collation_);
    }
}

void TTabListBox::setBevelWidthUp(int width)
{
    bevelWidthUp_ = width;
    viewport()->update();
}

void TTabListBox::setBevelWidthDown(int width)
{
    bevelWidthDown_ = width;
    viewport()->update();
}

void TTabListBox::setBevelRounded(bool on)
{
    bevelRounded_ = on;
    viewport()->update();
}

void TTabListBox::setColor(int index, const QColor &color)
{
    if (index < 0 || index >= ColorCount)
        return;
    colors_[index] = color;
    viewport()->update();
}

void TTabListBox::setColumnTextOffset(int column, int pixels)
{
    if (column < 1 || column > TabColumns::MaxColumns)
        return;
    textOffsets_[column - 1] = pixels;
    viewport()->update();
}

void TTabListBox::setItemHeight(int height)
{
    itemHeight_ = std::max(1, height);
    syncScrollBar();
}

void TTabListBox::AdjustToFont()
{
    setItemHeight(NearestRatio(static_cast<int64_t>(QFontInfo(font()).pixelSize()) * 13, 10));
    if (header_)
        header_->resize(width(), header_->height());
}

bool TTabListBox::rowSelected(int row) const
{
    // A single-select list box has no selection apart from its current row.
    return model_->multiSelect() ? model_->isSelected(row) : row == model_->currentRow();
}

int TTabListBox::fullRows() const
{
    return std::max(1, viewport()->height() / itemHeight_);
}

int TTabListBox::ItemAtPos(QPoint pos, bool existing) const
{
    if (!viewport()->rect().contains(pos))
        return -1;
    const int count = model_ ? model_->count() : 0;
    const int row = (model_ ? model_->topRow() : 0) + pos.y() / itemHeight_;
    if (row < count)
        return row;
    return existing ? -1 : count;
}

QRect TTabListBox::itemRect(int row) const
{
    const int top = model_ ? model_->topRow() : 0;
    return {0, (row - top) * itemHeight_, viewport()->width(), itemHeight_};
}

void TTabListBox::syncScrollBar()
{
    QScrollBar *bar = verticalScrollBar();
    const int count = model_ ? model_->count() : 0;
    syncing_ = true;
    bar->setRange(0, std::max(0, count - fullRows()));
    bar->setPageStep(fullRows());
    bar->setSingleStep(1);
    if (model_)
        bar->setValue(model_->topRow());
    syncing_ = false;
    // The model may ask for a top row past the last page; the scroll bar's limit wins.
    if (model_ && count > 0 && bar->value() != model_->topRow())
        model_->setTopRow(bar->value());
    viewport()->update();
}

void TTabListBox::ensureVisible(int row)
{
    if (!model_ || row < 0)
        return;
    const int top = model_->topRow();
    if (row < top)
        model_->setTopRow(row);
    else if (row >= top + fullRows())
        model_->setTopRow(row - fullRows() + 1);
}

void TTabListBox::scrollContentsBy(int, int)
{
    viewport()->update();
}

void TTabListBox::resizeEvent(QResizeEvent *)
{
    // Also called for the viewport's resizes, so the list's own width is compared.
    if (width() != lastWidth_) {
        lastWidth_ = width();
        if (header_) {
            header_->resize(width(), header_->height());
            columns_.fitSections(width(), header_->sectionCount(),
                                 [this](int index, int w) { return header_->setSectionWidth(index, w); });
        }
    }
    syncScrollBar();
}

void TTabListBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    if (!model_)
        return;
    const int oldReported = lastReported_ - 1;
    bool changed = false;
    const int top = model_->topRow();
    const int first = top + std::max(0, event->rect().top()) / itemHeight_;
    const int last = std::min(model_->count() - 1, top + event->rect().bottom() / itemHeight_);
    for (int row = first; row <= last; ++row)
        drawRow(painter, row, itemRect(row), changed);
    painter.end();
    // Reported after painting, so a handler may safely ask for another repaint.
    if (changed)
        emit OnChange(this, oldReported, lastReported_ - 1);
}

void TTabListBox::drawRow(QPainter &painter, int row, QRect rect, bool &changed)
{
    const bool selected = rowSelected(row);
    const bool caret = hasFocus() && row == model_->currentRow();
    QColor brush = palette().color(QPalette::Base);
    QColor fontColor = palette().color(QPalette::Text);
    if (selected && caret) {
        brush = palette().color(QPalette::Highlight);
        fontColor = palette().color(QPalette::HighlightedText);
    } else if (selected) {
        fontColor = SelectedTextColor;
    }
    if (selected && model_->currentRow() != lastReported_ - 1) {
        lastReported_ = model_->currentRow() + 1;
        changed = true;
    }

    // Edges are exclusive from here on.
    int left = rect.left(), top = rect.top(), right = rect.left() + rect.width(), bottom = rect.top() + rect.height();
    int textLeft = left, textTop = top, textBottom = bottom;
    const int bevel = selected ? bevelWidthDown_ : bevelWidthUp_;
    if (bevel > 0) {
        --bottom;
        painter.setPen(Qt::black);
        painter.drawRect(left, top, right - left - 1, bottom - top - 1);
        brush = palette().color(QPalette::Button);
        --right;
    }
    painter.fillRect(left, top, right - left, bottom - top, brush);
    if (bevel > 0) {
        const QRect face(left, top, right - left, bottom - top);
        if (bevelRounded_) {
            painter.setPen(QPen(palette().color(selected ? QPalette::Dark : QPalette::Light), bevel));
            painter.drawRoundedRect(face.adjusted(bevel / 2, bevel / 2, -(bevel + 1) / 2, -(bevel + 1) / 2), bevel * 2, bevel * 2);
        } else {
            qDrawShadePanel(&painter, face, palette(), selected, bevel);
        }
        textLeft = left + bevel;
        textTop = top + bevel;
        textBottom = bottom - bevel;
    }

    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int textY = std::max(textTop, (textTop + textBottom - metrics.height()) / 2);

    const ShortStr text = model_->rowText(row);
    const std::u32string_view chars(text.chars());
    // Without a header the first cell takes the whole row and nothing else shows.
    const bool hasHeader = header_ != nullptr;
    const int columnCount = hasHeader ? std::min(header_->sectionCount(), TabColumns::MaxColumns) : 1;
    size_t start = 0;
    int cellLeft = textLeft;
    for (int column = 1; column <= columnCount; ++column) {
        const size_t end = std::min(chars.find(U'\t', start), chars.size());
        const int cellRight = columns_.cellRight(column, columnCount, hasHeader, cellLeft, right, width());
        drawCell(painter, column, chars.substr(start, end - start), cellLeft, cellRight, textTop, textBottom,
                 textY, selected, fontColor);
        cellLeft = TabColumns::nextCellLeft(cellRight);
        start = std::min(end + 1, chars.size());
    }

    if (caret) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect;
        option.backgroundColor = brush;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TTabListBox::drawCell(QPainter &painter, int column, std::u32string_view cell, int left, int right,
                           int top, int bottom, int textTop, bool selected, QColor &fontColor)
{
    if (!selected && HasOwnColor(colors_[column]))
        fontColor = colors_[column];
    const bool visible = right > left;
    if (visible)
        painter.setClipRect(left, top, right - left, bottom - top);
    const QFontMetrics metrics(font());
    int x = left - textOffsets_[column - 1];
    const int baseline = textTop + metrics.ascent();
    auto drawPiece = [&](std::u32string_view piece) {
        if (piece.empty() || !visible)
            return;
        const QString s = QString::fromUcs4(piece.data(), static_cast<qsizetype>(piece.size()));
        painter.setPen(fontColor);
        painter.drawText(x, baseline, s);
        x += metrics.horizontalAdvance(s);
    };
    // "~" and the character after it are markup: never drawn; a code below 21 picks a colour.
    size_t start = 0;
    for (size_t i = 0; i < cell.size();) {
        if (cell[i] != U'~') {
            ++i;
            continue;
        }
        drawPiece(cell.substr(start, i - start));
        if (i + 1 < cell.size() && cell[i + 1] < ColorCount && !selected)
            fontColor = colors_[cell[i + 1]];
        i = std::min(i + 2, cell.size());
        start = i;
    }
    drawPiece(cell.substr(start));
    if (visible)
        painter.setClipping(false);
}

void TTabListBox::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TTabListBox::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TTabListBox::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    pressedRow_ = -1;
    if (!model_)
        return;
    navigation_->cancelClick();
    if (event->button() == Qt::RightButton) {
        rightButtonDown(pos);
        return;
    }
    const int row = ItemAtPos(pos, true);
    if (event->button() != Qt::LeftButton || row < 0)
        return;
    pressedRow_ = row;
    pressPos_ = pos;
    navigation_->press(row, event->modifiers());
}

void TTabListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!model_ || pressedRow_ < 0 || !(event->buttons() & Qt::LeftButton))
        return;
    if ((event->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return;
    const bool draggable = pressedRow_ < model_->count() && rowSelected(pressedRow_);
    pressedRow_ = -1;
    navigation_->cancelClick();
    if (draggable)
        startDrag();
}

void TTabListBox::mouseReleaseEvent(QMouseEvent *event)
{
    pressedRow_ = -1;
    if (!model_)
        return;
    if (event->button() == Qt::LeftButton)
        navigation_->release();
    else
        navigation_->cancelClick();
}

void TTabListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    if (model_ && event->button() == Qt::LeftButton && ItemAtPos(pos, false) >= 0)
        emit rowDoubleClicked(ItemAtPos(pos, true));
}

void TTabListBox::rightButtonDown(QPoint pos)
{
    if (sortedByTab_ > 0 && !rightClickSortOff_) {
        const int column = columns_.columnAt(pos.x(), width());
        if (column > 0 && column != sortedByTab_)
            setSortedByTab(column);
    } else {
        navigation_->rightClick(ItemAtPos(pos, true));
    }
}

void TTabListBox::keyPressEvent(QKeyEvent *event)
{
    if (!model_) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier && key >= Qt::Key_1 && key <= Qt::Key_9 && sortedByTab_ > 0)
        setSortedByTab(key - Qt::Key_0);
    bool handled = false;
    emit keyDown(key, event->modifiers(), &handled);
    if (handled || navigation_->key(key, modifiers, fullRows()))
        return;
    const QString text = event->text();
    if (text.isEmpty()) {
        event->ignore();
        return;
    }
    handled = false;
    emit keyPressed(text, &handled);
    if (handled)
        return;
    // Enter, Escape and shortcuts go on to the window, as from the platform's list box.
    if (!text.at(0).isPrint() || (modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
        event->ignore();
        return;
    }
    // Like the platform's list box: type-ahead looks at the sort column, or the first.
    navigation_->typeAhead(text, sortedByTab_ > 0 ? sortedByTab_ : 1);
}

void TTabListBox::startDrag()
{
    auto *drag = new QDrag(this);
    drag->setMimeData(new TabListDragData(this));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

bool TTabListBox::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        dragEvent(static_cast<QDropEvent *>(event), static_cast<QDropEvent *>(event)->position().toPoint());
        return true;
    default:
        return QAbstractScrollArea::viewportEvent(event);
    }
}

bool TTabListBox::event(QEvent *event)
{
    // Drags over the frame or the scroll bar end here, in the list's own coordinates; the base
    // class would drop them.
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *e = static_cast<QDropEvent *>(event);
        dragEvent(e, e->position().toPoint() - viewport()->geometry().topLeft());
        return true;
    }
    default:
        return QAbstractScrollArea::event(event);
    }
}

namespace {
TTabListBox *DragSource(const QDropEvent *event)
{
    const auto *data = qobject_cast<const TabListDragData *>(event->mimeData());
    return data ? data->source() : nullptr;
}
} // namespace

void TTabListBox::dragEvent(QDropEvent *event, QPoint pos)
{
    TTabListBox *source = DragSource(event);
    if (!source) {
        event->ignore();
        return;
    }
    // Entering only opens the way for the moves, where the handler decides point by point.
    bool accept = true;
    if (event->type() == QEvent::DragMove) {
        accept = false;
        emit dragOverList(source, pos, &accept);
    }
    if (!accept) {
        event->ignore();
        return;
    }
    event->setDropAction(source == this ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    if (event->type() == QEvent::Drop)
        emit dragDroppedOnList(source, pos);
}
