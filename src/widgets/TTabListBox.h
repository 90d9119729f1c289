#pragma once
// The tabbed list box: draws the rows of a list model column by column under a linked THeader
// and turns mouse and keyboard events into the model's navigation rules. Only the visible rows
// are built and painted, so lists of any length scroll at once.

#include "widgets/TabColumns.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QMimeData>
#include <QPointer>
#include <array>
#include <memory>
#include <string_view>

class Collation;
class ListModel;
class ListNavigation;
class THeader;
class TTabListBox;

// What a drag from a tabbed list box carries: the list it came from, nothing else. The drop
// handler reads the rows it wants from that list's model.
class TabListDragData : public QMimeData {
    Q_OBJECT
public:
    static const char *const MimeType;
    explicit TabListDragData(TTabListBox *source);
    TTabListBox *source() const { return source_; }

private:
    QPointer<TTabListBox> source_;
};

class TTabListBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int ColorCount = 21;

    explicit TTabListBox(QWidget *parent = nullptr);
    ~TTabListBox() override;

    // The rows shown; the model's multiSelect decides the selection behaviour. Not owned.
    void setModel(ListModel *model);
    ListModel *model() const { return model_; }

    THeader *Header() const { return header_; }
    // Links the header (not owned) and takes the column layout from its sections. Give the list
    // its real width first: without TabFixedSize the columns are shares of that width.
    void setHeader(THeader *header);
    bool TabFixedSize() const { return columns_.tabFixedSize; }
    void setTabFixedSize(bool on);
    int columnPosition(int column) const { return columns_.position(column); }

    int SortedByTab() const { return sortedByTab_; }
    // Above 0: re-sorts the rows by that column now (keeping the current row by its text).
    void setSortedByTab(int column);
    // Stops a right click from choosing the sort column.
    void setRightClickSortOff(bool off) { rightClickSortOff_ = off; }

    int BevelWidthUp() const { return bevelWidthUp_; }
    void setBevelWidthUp(int width);
    int BevelWidthDown() const { return bevelWidthDown_; }
    void setBevelWidthDown(int width);
    bool BevelRounded() const { return bevelRounded_; }
    void setBevelRounded(bool on);

    // Entries 1 to 20 double as text colours of the columns; black means "no colour of its own".
    QColor color(int index) const { return colors_.at(index); }
    void setColor(int index, const QColor &color);
    // Shifts the text of a column left inside its cell.
    void setColumnTextOffset(int column, int pixels);

    int ItemHeight() const { return itemHeight_; }
    void setItemHeight(int height);
    // Row height from the font (1.3 times its pixel height); the header takes the list's width.
    void AdjustToFont();

    // Row under a point of the item area (viewport coordinates); below the last row: the row
    // count, or -1 when existing is true; outside the item area: -1.
    int ItemAtPos(QPoint pos, bool existing) const;
    QRect itemRect(int row) const;

signals:
    // The current row differs from the one last reported; checked when a selected row is drawn.
    void OnChange(TTabListBox *sender, int oldItem, int newItem);
    // A left double click anywhere in the item area: row is the row under it, -1 below the
    // last row. Like the platform's list box, the handler acts on the current row.
    void rowDoubleClicked(int row);
    // Key codes are Qt's; set *handled to stop the list's own handling of the key.
    void keyDown(int key, Qt::KeyboardModifiers modifiers, bool *handled);
    // A typed character; set *handled to keep it from the list (type-ahead).
    void keyPressed(const QString &text, bool *handled);
    // A drag from a tabbed list box moves over this list (pos in viewport coordinates); set
    // *accept to take it.
    void dragOverList(TTabListBox *source, QPoint pos, bool *accept);
    void dragDroppedOnList(TTabListBox *source, QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool event(QEvent *event) override;

private:
    bool rowSelected(int row) const;
    int fullRows() const;
    void updateColumns();
    void syncScrollBar();
    void ensureVisible(int row);
    void drawRow(QPainter &painter, int row, QRect rect, bool &changed);
    void drawCell(QPainter &painter, int column, std::u32string_view cell, int left, int right,
                  int top, int bottom, int textTop, bool selected, QColor &fontColor);
    void rightButtonDown(QPoint pos);
    void startDrag();
    void dragEvent(QDropEvent *event, QPoint pos);

    ListModel *model_ = nullptr;
    std::unique_ptr<ListNavigation> navigation_;
    QPointer<THeader> header_;
    TabColumns columns_;
    int sortedByTab_ = 0;
    bool rightClickSortOff_ = false;
    int bevelWidthUp_ = 0;
    int bevelWidthDown_ = 0;
    bool bevelRounded_ = false;
    std::array<QColor, ColorCount> colors_;
    std::array<int, TabColumns::MaxColumns> textOffsets_{};
    int itemHeight_ = 16;
    int lastReported_ = 0;  // row last passed to OnChange, plus 1
    int lastWidth_ = -1;
    bool syncing_ = false;
    // The row and point of a left press, until its release or a drag.
    int pressedRow_ = -1;
    QPoint pressPos_;
    std::unique_ptr<Collation> collation_;
};
