#include "catalog/SongList.h"
#include "list/TextRowList.h"
#include "widgets/THeader.h"
#include "widgets/TTabListBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <memory>
#include <vector>

namespace {
const QColor Base(255, 255, 255), Ink(0, 0, 0), Highlight(0, 0, 128), HighlightText(255, 255, 0), Red(255, 0, 0);
using Rows = std::vector<int>;

QString Blocks(int n)
{
    return QString(n, QChar(0x2588));
}

// A list of rows with exactly the given texts, shown in a tabbed list box on 528 pixels under
// the first `sections` sections of the catalog's header (none: no header).
struct Fixture {
    explicit Fixture(bool multiSelect = true, int sections = 4) : list(&TSong::Artist, multiSelect)
    {
        QPalette palette;
        palette.setColor(QPalette::Base, Base);
        palette.setColor(QPalette::Text, Ink);
        palette.setColor(QPalette::Highlight, Highlight);
        palette.setColor(QPalette::HighlightedText, HighlightText);
        box.setPalette(palette);
        QFont font("DejaVu Sans");
        font.setPixelSize(16);
        font.setStyleStrategy(QFont::NoAntialias);
        box.setFont(font);
        box.AdjustToFont();
        box.setFrameStyle(QFrame::NoFrame);
        box.resize(528, 200);
        const int widths[] = {126, 267, 73, 57};
        for (int i = 0; i < sections; ++i)
            header.addSection(QString("Column %1").arg(i + 1), widths[i]);
        if (sections > 0)
            box.setHeader(&header);
        box.setModel(&list);
        box.show();
    }
    void add(const QString &text)
    {
        songs.push_back(std::make_unique<TSong>());
        songs.back()->SetTexts(ShortStr::fromQString(text), "", "", "");
        list.append(songs.back().get());
    }
    void addRows(int n)
    {
        for (int i = 0; i < n; ++i)
            add(QString("row %1").arg(i));
    }
    QImage render()
    {
        QImage image(box.viewport()->size(), QImage::Format_RGB32);
        box.viewport()->render(&image);
        return image;
    }
    // A band of a row between two x positions (end exclusive).
    QRect band(int row, int from, int to) const
    {
        const QRect r = box.itemRect(row);
        return {from, r.top(), to - from, r.height()};
    }
    QPoint at(int row, int x = 10) const { return {x, box.itemRect(row).center().y()}; }
    int advance(const QString &text) const { return QFontMetrics(box.font()).horizontalAdvance(text); }

    std::vector<std::unique_ptr<TSong>> songs;
    SongList list;
    THeader header;
    TTabListBox box;
};

int CountColor(const QImage &image, QRect area, QColor color)
{
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == color.rgb();
    return n;
}

// Ink: any pixel that differs from the background colour.
bool HasInk(const QImage &image, QRect area)
{
    area &= image.rect();
    return CountColor(image, area, Base) < area.width() * area.height();
}

// The first column of the area, seen from its left or right side, that holds ink; -1 if none.
int InkEdge(const QImage &image, QRect area, bool fromRight)
{
    for (int i = 0; i < area.width(); ++i) {
        const int x = fromRight ? area.right() - i : area.left() + i;
        if (HasInk(image, QRect(x, area.top(), 1, area.height())))
            return x;
    }
    return -1;
}

int LeftmostInk(const QImage &image, QRect area) { return InkEdge(image, area, false); }
int RightmostInk(const QImage &image, QRect area) { return InkEdge(image, area, true); }

void SendMouse(QWidget *target, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

void Click(TTabListBox &box, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(box.viewport(), QEvent::MouseButtonPress, pos, button, modifiers);
    SendMouse(box.viewport(), QEvent::MouseButtonRelease, pos, button, modifiers);
}

void Key(QWidget &target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&target, &event);
}

// One drag event; the drop action when the list accepts it, IgnoreAction otherwise.
template <class DragEvent>
Qt::DropAction SendDrag(QWidget *target, QPoint pos, const QMimeData *data)
{
    DragEvent event(pos, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    return event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
}

std::vector<QString> Texts(const SongList &list)
{
    std::vector<QString> out;
    for (int i = 0; i < list.count(); ++i)
        out.push_back(list.rowText(i).toQString());
    return out;
}
} // namespace

TEST(TTabListBox, CellsAreClippedThreeLeftOfTheEdgeAndTheNextStartsFourRight)
{
    Fixture f;
    f.add(Blocks(20) + "\t" + Blocks(3) + "\t" + Blocks(20) + "\t" + Blocks(30));
    const QImage image = f.render();
    // Column edges of 528 pixels at 24, 74 and 88 percent: 127, 391, 465.
    for (int edge : {127, 465}) {
        EXPECT_GE(RightmostInk(image, f.band(0, edge - 10, edge - 3)), edge - 6) << edge;
        EXPECT_FALSE(HasInk(image, f.band(0, edge - 3, edge + 1))) << edge;
        EXPECT_EQ(LeftmostInk(image, f.band(0, edge - 3, edge + 20)), edge + 1) << edge;
    }
    // Column 2 holds only its own three blocks; the last column reaches the row's right edge.
    EXPECT_NEAR(RightmostInk(image, f.band(0, 128, 388)), 128 + f.advance(Blocks(3)) - 1, 1);
    EXPECT_EQ(RightmostInk(image, f.band(0, 466, 528)), f.box.viewport()->width() - 1);
    // The text is centred in the row's height.
    ASSERT_EQ(f.box.ItemHeight(), 21);
    const int textHeight = QFontMetrics(f.box.font()).height(), top = (21 - textHeight) / 2;
    EXPECT_FALSE(HasInk(image, QRect(0, 0, 100, top)));
    EXPECT_TRUE(HasInk(image, QRect(0, top, 100, 1)));
    EXPECT_TRUE(HasInk(image, QRect(0, top + textHeight - 1, 100, 1)));
    EXPECT_FALSE(HasInk(image, QRect(0, top + textHeight, 100, 21 - top - textHeight)));
    // A column's text offset shifts its text left inside the cell, which still clips it.
    f.box.setColumnTextOffset(2, 5);
    const QImage shifted = f.render();
    EXPECT_EQ(RightmostInk(shifted, f.band(0, 128, 388)), RightmostInk(image, f.band(0, 128, 388)) - 5);
    EXPECT_EQ(LeftmostInk(shifted, f.band(0, 124, 388)), 128);
}

TEST(TTabListBox, CellsBeyondTheHeaderSectionsAreNotDrawn)
{
    const Fixture probe;
    const int one = probe.advance(Blocks(1)), twenty = probe.advance(Blocks(20));
    // right: the row's last column of ink; sections: 0 for no header.
    struct Case { const char *name; int sections; QString text; int right, slack; };
    const Case cases[] = {
        {"no tabs: clipped at the end of column 1", 2, Blocks(20), 123, 0},
        {"nothing after the last section's tab", 2, Blocks(1) + "\t" + Blocks(1) + "\t" + Blocks(5), 128 + one - 1, 0},
        {"no header: the first cell takes the row", 0, Blocks(20) + "\t" + Blocks(20), twenty - 1, 2},
        {"no header: nothing after the first tab", 0, Blocks(1) + "\t" + Blocks(1), one - 1, 0},
    };
    for (const Case &c : cases) {
        Fixture f(true, c.sections);
        f.add(c.text);
        EXPECT_NEAR(RightmostInk(f.render(), f.band(0, 0, 528)), c.right, c.slack) << c.name;
    }
}

TEST(TTabListBox, TildeAndTheNextCharacterAreNotDrawn)
{
    // Each pair of rows must look the same.
    const QString pairs[][2] = {
        {"Ab~xCd", "AbCd"}, {"AbCd~", "AbCd"}, {"~~AbCd", "AbCd"}, {"~xAb\tC~y", "Ab\tC"},
        {"A~\tCd", "A\tCd"}, {"Ab~\x01" "Cd", "AbCd"},
    };
    for (const auto &pair : pairs) {
        Fixture f;
        f.add(pair[0]);
        f.add(pair[1]);
        const QImage image = f.render();
        EXPECT_TRUE(HasInk(image, f.box.itemRect(1))) << pair[1].toStdString();
        EXPECT_EQ(image.copy(f.box.itemRect(0)), image.copy(f.box.itemRect(1))) << pair[0].toStdString();
    }
}

TEST(TTabListBox, RowColours)
{
    const QColor green(0, 160, 0), blue(0, 0, 255);
    Fixture f;
    f.box.setColor(5, green);
    f.box.setColor(2, blue);
    for (int i = 0; i < 2; ++i)
        f.add(Blocks(3) + "~\x05" + Blocks(3));
    for (int i = 0; i < 3; ++i)
        f.add(Blocks(3) + "\t" + Blocks(3) + "\t" + Blocks(3));
    f.list.setSelected(1, true);
    f.list.setSelected(3, true);
    f.list.setCurrentRow(3);
    QImage image = f.render();
    ASSERT_FALSE(f.box.hasFocus());
    const int three = f.advance(Blocks(3));
    // Tilde codes and column colours show on unselected rows; selected rows are red text on the
    // list's background. Each band shows the first colour and none of the second.
    struct Check { const char *name; int row, from, to; QColor shown, notShown; };
    const Check checks[] = {
        {"black before the code", 0, 0, three - 1, Ink, green},
        {"green from the code on", 0, three + 1, 124, green, Ink},
        {"column 1 has no colour of its own", 2, 0, 124, Ink, blue},
        {"column 2's colour holds for column 3", 2, 128, 528, blue, Ink},
        {"a selected row is red throughout", 1, 0, 528, Red, green},
        {"a selected row is red throughout", 3, 128, 528, Red, blue},
        {"a selected row has no black", 3, 0, 528, Red, Ink},
        {"an unselected row is not red", 4, 0, 528, Ink, Red},
        {"the gap between cells of a selected row", 3, 125, 127, Base, Highlight},
    };
    for (const Check &c : checks) {
        SCOPED_TRACE(c.name);
        EXPECT_GT(CountColor(image, f.band(c.row, c.from, c.to), c.shown), 0);
        EXPECT_EQ(CountColor(image, f.band(c.row, c.from, c.to), c.notShown), 0);
    }

    // With the focus the current row is highlighted; other selected rows stay red.
    QApplication::setActiveWindow(&f.box);
    f.box.setFocus();
    ASSERT_TRUE(f.box.hasFocus());
    image = f.render();
    EXPECT_EQ(image.pixel(f.at(3, 125)), Highlight.rgb());
    EXPECT_GT(CountColor(image, f.box.itemRect(3), HighlightText), 0);
    EXPECT_EQ(CountColor(image, f.box.itemRect(3), Red), 0);
    EXPECT_GT(CountColor(image, f.box.itemRect(1), Red), 0);
    EXPECT_EQ(image.pixel(f.at(1, 125)), Base.rgb());
}

TEST(TTabListBox, BevelDrawsTheTextInsideIt)
{
    Fixture f;
    f.add(Blocks(3));
    f.box.setBevelWidthUp(2);
    const QImage image = f.render();
    // The text starts inside the bevel, and the face is no longer the list's background.
    const QRect row = f.box.itemRect(0);
    EXPECT_EQ(image.pixel(60, row.center().y()), f.box.palette().color(QPalette::Button).rgb());
    int firstText = -1;
    for (int x = 0; x < 100 && firstText < 0; ++x)
        if (CountColor(image, QRect(x, row.top(), 1, row.height()), Ink) > 0)
            firstText = x;
    EXPECT_EQ(firstText, 2);
    EXPECT_EQ(image.pixel(row.right(), row.center().y()), Ink.rgb());
}

TEST(TTabListBox, CtrlDigitAndRightClickChooseTheSortColumn)
{
    Fixture f;
    for (const char *text : {"c\t1", "a\t3", "b\t2"})
        f.add(text);
    const std::vector<QString> byColumn1{"a\t3", "b\t2", "c\t1"}, byColumn2{"c\t1", "b\t2", "a\t3"};
    // An unsorted list stays unsorted.
    Key(f.box, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(f.box.SortedByTab(), 0);
    f.box.setSortedByTab(1);
    EXPECT_EQ(Texts(f.list), byColumn1);
    Key(f.box, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(f.box.SortedByTab(), 2);
    EXPECT_EQ(Texts(f.list), byColumn2);
    // Only Ctrl alone with a digit sorts, on the keypad too.
    Key(f.box, Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.box.SortedByTab(), 2);
    Key(f.box, Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(f.box.SortedByTab(), 1);

    // A right click sorts by the column under it and selects nothing; in the sort column
    // itself it changes nothing.
    for (int i = 0; i < 2; ++i) {
        Click(f.box, f.at(0, 200), Qt::NoModifier, Qt::RightButton);
        EXPECT_EQ(f.box.SortedByTab(), 2);
        EXPECT_EQ(Texts(f.list), byColumn2);
        EXPECT_TRUE(f.list.selectedRows().empty());
    }
    f.box.setRightClickSortOff(true);
    Click(f.box, f.at(0, 10), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(f.box.SortedByTab(), 2);
    EXPECT_EQ(f.list.selectedRows(), (Rows{0}));
}

TEST(TTabListBox, OnChangeReportsTheCurrentRowWhenASelectedRowIsDrawn)
{
    Fixture f;
    f.addRows(3);
    std::vector<std::pair<int, int>> reports;
    QObject::connect(&f.box, &TTabListBox::OnChange, [&](TTabListBox *sender, int oldItem, int newItem) {
        EXPECT_EQ(sender, &f.box);
        reports.emplace_back(oldItem, newItem);
    });
    f.render();
    EXPECT_TRUE(reports.empty());  // nothing selected
    f.list.setSelected(0, true);
    f.list.setCurrentRow(0);
    f.render();
    f.render();
    f.list.setCurrentRow(2);
    f.render();
    f.list.clearSelection();
    f.list.setCurrentRow(1);
    f.render();
    EXPECT_EQ(reports, (std::vector<std::pair<int, int>>{{-1, 0}, {0, 2}}));
}

TEST(TTabListBox, AdjustToFontSetsRowHeightAndHeaderWidth)
{
    struct Case { int pixels; int rowHeight; };
    const Case cases[] = {{16, 21}, {15, 20}, {25, 32}, {11, 14}, {10, 13}};
    for (const Case &c : cases) {
        Fixture f;
        f.header.resize(10, 20);
        QFont font = f.box.font();
        font.setPixelSize(c.pixels);
        f.box.setFont(font);
        f.box.AdjustToFont();
        EXPECT_EQ(f.box.ItemHeight(), c.rowHeight) << c.pixels;
        EXPECT_EQ(f.header.width(), 528);
    }
}

// A new width refits the header's sections to their shares, or leaves them with fixed tabs.
TEST(TTabListBox, WidthChangeRefitsTheHeaderUnlessTabsAreFixed)
{
    for (bool fixed : {false, true}) {
        SCOPED_TRACE(fixed ? "fixed" : "percent");
        Fixture f;
        f.box.setTabFixedSize(fixed);
        f.box.resize(1056, 200);
        f.box.resize(1056, 300);  // the height alone changes nothing
        EXPECT_EQ(f.header.width(), 1056);
        const std::vector<int> sections = fixed ? std::vector<int>{126, 267, 73, 57} : std::vector<int>{253, 528, 148, 116};
        EXPECT_EQ(f.header.sectionWidths(), sections);
        EXPECT_EQ(f.box.columnPosition(2), fixed ? 267 : 74);
    }
}

TEST(TTabListBox, DraggingAHeaderEdgeRelaysTheColumnsAtOnce)
{
    Fixture f;
    f.add(Blocks(30) + "\t" + Blocks(30));
    std::vector<int> sizing;
    QObject::connect(&f.header, &THeader::sizing, [&](int index, int) { sizing.push_back(index); });
    SendMouse(&f.header, QEvent::MouseButtonPress, {127, 5}, Qt::LeftButton);
    SendMouse(&f.header, QEvent::MouseMove, {151, 5}, Qt::LeftButton);
    EXPECT_EQ(sizing, (std::vector<int>{0}));
    EXPECT_EQ(f.box.columnPosition(2), 79);  // 417 of 528
    // Column 1 now ends at 28 percent (150 of 528).
    const QImage image = f.render();
    const int edge = NearestRatio(528 * 28, 100);
    EXPECT_FALSE(HasInk(image, f.band(0, edge - 3, edge + 1)));
    EXPECT_EQ(LeftmostInk(image, f.band(0, edge - 3, 400)), edge + 1);
    SendMouse(&f.header, QEvent::MouseButtonRelease, {151, 5}, Qt::LeftButton);
    // Away from an edge the header does not resize.
    SendMouse(&f.header, QEvent::MouseButtonPress, {60, 5}, Qt::LeftButton);
    SendMouse(&f.header, QEvent::MouseMove, {90, 5}, Qt::LeftButton);
    EXPECT_EQ(f.header.sectionWidths(), (std::vector<int>{150, 267, 73, 57}));
}

TEST(TTabListBox, KeyHandlersComeFirst)
{
    Fixture f;
    for (const char *t : {"apple", "Banana", "cherry"})
        f.add(t);
    f.list.setCurrentRow(0);
    bool swallowKey = true, swallowChar = true;
    std::vector<int> keys;
    std::vector<QString> chars;
    QObject::connect(&f.box, &TTabListBox::keyDown, [&](int key, Qt::KeyboardModifiers, bool *handled) {
        keys.push_back(key);
        *handled = swallowKey;
    });
    QObject::connect(&f.box, &TTabListBox::keyPressed, [&](const QString &text, bool *handled) {
        chars.push_back(text);
        *handled = swallowChar;
    });
    Key(f.box, Qt::Key_Down);
    swallowKey = false;
    Key(f.box, Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(f.list.currentRow(), 0);
    swallowChar = false;
    // Then the list's own type-ahead, on the first column.
    Key(f.box, Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(f.list.currentRow(), 1);
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_Down, Qt::Key_B, Qt::Key_B}));
    EXPECT_EQ(chars.size(), 2u);
    // Enter and keys the list has no use for go on to the window.
    for (int key : {Qt::Key_Return, Qt::Key_F5}) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Return ? "\r" : "");
        QApplication::sendEvent(&f.box, &event);
        EXPECT_FALSE(event.isAccepted()) << key;
    }
    EXPECT_EQ(f.list.currentRow(), 1);
}

TEST(TTabListBox, MouseAndKeysReachTheListsRules)
{
    Fixture f;
    f.addRows(30);
    f.box.resize(528, 9 * 21 + 5);
    // Clicks pass their row and modifiers; a press on a selected row keeps the selection for a
    // drag until the release.
    Click(f.box, f.at(1));
    Click(f.box, f.at(3), Qt::ControlModifier);
    Click(f.box, f.at(5), Qt::ShiftModifier);
    Click(f.box, f.at(4), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(f.list.selectedRows(), (Rows{3, 5}));
    SendMouse(f.box.viewport(), QEvent::MouseButtonPress, f.at(3), Qt::LeftButton);
    EXPECT_EQ(f.list.selectedRows(), (Rows{3, 5}));
    SendMouse(f.box.viewport(), QEvent::MouseButtonRelease, f.at(3), Qt::LeftButton);
    EXPECT_EQ(f.list.selectedRows(), (Rows{3}));
    EXPECT_EQ(f.list.currentRow(), 3);
    // A page is one row less than the nine rows in view, and the current row stays in view.
    Key(f.box, Qt::Key_PageDown);
    EXPECT_EQ(f.list.currentRow(), 11);
    EXPECT_EQ(f.list.topRow(), 3);
}

TEST(TTabListBox, ShowsRowsOfPlainTextAndFollowsTheirChanges)
{
    Fixture f;
    TextRowList rows(true);
    f.box.setModel(&rows);
    for (int i = 0; i < 3; ++i)
        rows.append(ShortStr::fromQString(Blocks(3) + "\t" + Blocks(i + 1)));
    QImage image = f.render();
    for (int row = 0; row < 3; ++row)
        EXPECT_NEAR(RightmostInk(image, f.band(row, 128, 388)), 128 + f.advance(Blocks(row + 1)) - 1, 1) << row;
    // Edited rows show their new text; a removed row leaves the view; clicks reach this model.
    rows.setRowText(2, ShortStr::fromQString(Blocks(1)));
    rows.removeAt(0);
    image = f.render();
    EXPECT_NEAR(RightmostInk(image, f.band(1, 0, 528)), f.advance(Blocks(1)) - 1, 1);
    EXPECT_FALSE(HasInk(image, f.box.itemRect(2)));
    Click(f.box, f.at(1));
    EXPECT_EQ(rows.selectedRows(), (Rows{1}));
}

TEST(TTabListBox, ItemAtPos)
{
    Fixture f;
    f.box.setFrameStyle(QFrame::Box);
    f.box.setLineWidth(2);
    f.addRows(20);
    f.list.setTopRow(3);
    const int h = f.box.ItemHeight();
    const int width = f.box.viewport()->width(), height = f.box.viewport()->height();
    ASSERT_LT(height, 20 * h);
    struct Case { QPoint pos; bool existing; int expected; };
    const Case cases[] = {
        {{5, 0}, true, 3}, {{5, h - 1}, true, 3}, {{5, h}, false, 4}, {{width - 1, 2 * h + 3}, true, 5},
        {{-1, 5}, false, -1}, {{5, -1}, false, -1}, {{width, 5}, false, -1}, {{5, height}, false, -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(f.box.ItemAtPos(c.pos, c.existing), c.expected) << c.pos.x() << "," << c.pos.y();
}

// Below the last row: the row count, or none when only existing rows count. There a click of
// either button changes nothing and a double click reports no row; one on a row makes it current.
TEST(TTabListBox, BelowTheLastRow)
{
    for (bool multi : {true, false}) {
        SCOPED_TRACE(multi ? "multi" : "single");
        Fixture f(multi);
        f.addRows(3);
        EXPECT_EQ(f.box.ItemAtPos(f.at(5), false), 3);
        EXPECT_EQ(f.box.ItemAtPos(f.at(5), true), -1);
        std::vector<int> doubled;
        QObject::connect(&f.box, &TTabListBox::rowDoubleClicked, [&](int row) { doubled.push_back(row); });
        Click(f.box, f.at(1));
        const Rows selected = f.list.selectedRows();
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
            Click(f.box, f.at(5), Qt::NoModifier, button);
        EXPECT_EQ(f.list.selectedRows(), selected);
        EXPECT_EQ(f.list.currentRow(), 1);
        SendMouse(f.box.viewport(), QEvent::MouseButtonDblClick, f.at(2), Qt::LeftButton);
        SendMouse(f.box.viewport(), QEvent::MouseButtonDblClick, f.at(7), Qt::LeftButton);
        SendMouse(f.box.viewport(), QEvent::MouseButtonDblClick, f.at(1), Qt::RightButton);
        EXPECT_EQ(doubled, (std::vector<int>{2, -1}));
        EXPECT_EQ(f.list.currentRow(), 2);
    }
}

TEST(TTabListBox, DragAndDropSignalsNameTheSourceList)
{
    Fixture source, target;
    target.box.setFrameStyle(QFrame::Box);
    target.box.setLineWidth(2);
    source.add("dragged");
    target.addRows(2);
    bool accept = false;
    std::vector<std::pair<TTabListBox *, QPoint>> over, dropped;
    QObject::connect(&target.box, &TTabListBox::dragOverList, [&](TTabListBox *s, QPoint pos, bool *ok) {
        over.emplace_back(s, pos);
        *ok = accept;
    });
    QObject::connect(&target.box, &TTabListBox::dragDroppedOnList,
                     [&](TTabListBox *s, QPoint pos) { dropped.emplace_back(s, pos); });

    TabListDragData data(&source.box);
    QWidget *viewport = target.box.viewport();
    const QPoint inside(20, 25);
    EXPECT_NE(SendDrag<QDragEnterEvent>(viewport, inside, &data), Qt::IgnoreAction);
    EXPECT_EQ(SendDrag<QDragMoveEvent>(viewport, inside, &data), Qt::IgnoreAction);  // the handler refuses
    accept = true;
    EXPECT_EQ(SendDrag<QDragMoveEvent>(viewport, inside, &data), Qt::CopyAction);
    SendDrag<QDropEvent>(viewport, inside, &data);
    EXPECT_EQ(over, (std::vector<std::pair<TTabListBox *, QPoint>>(2, {&source.box, inside})));
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0], std::make_pair(&source.box, inside));

    // Dropped on the frame: the point lies outside the item area.
    const QPoint frame(1, 1);
    SendDrag<QDragEnterEvent>(&target.box, frame, &data);
    SendDrag<QDragMoveEvent>(&target.box, frame, &data);
    EXPECT_EQ(over.back().second, QPoint(-1, -1));
    SendDrag<QDropEvent>(&target.box, frame, &data);
    ASSERT_EQ(dropped.size(), 2u);
    EXPECT_EQ(dropped[1].second, QPoint(-1, -1));

    // Other drags are not offered to the handlers.
    QMimeData text;
    text.setText("x");
    EXPECT_EQ(SendDrag<QDropEvent>(viewport, inside, &text), Qt::IgnoreAction);
    EXPECT_EQ(dropped.size(), 2u);
}

TEST(TTabListBox, WheelKeysAndModelScrollAMillionRows)
{
    Fixture f;
    for (int i = 0; i < 10; ++i)
        f.add(QString("Artist %1\tAlbum - Track\t03:25\tCD%1").arg(i));
    std::vector<TSong *> rows(1000000);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = f.songs[i % 10].get();
    f.list.setSongs(rows);
    f.box.resize(528, 10 * 21);
    EXPECT_TRUE(HasInk(f.render(), f.box.itemRect(0)));
    QWheelEvent wheel(QPointF(10, 10), f.box.viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.box.viewport(), &wheel);
    EXPECT_EQ(f.list.topRow(), QApplication::wheelScrollLines());
    f.list.setTopRow(40);
    EXPECT_EQ(f.box.verticalScrollBar()->value(), 40);
    f.list.setCurrentRow(20);
    EXPECT_EQ(f.list.topRow(), 20);
    f.list.setCurrentRow(50);
    EXPECT_EQ(f.list.topRow(), 41);
    // Never past the last page.
    f.list.setTopRow(999999);
    EXPECT_EQ(f.list.topRow(), 999990);
    f.list.setTopRow(0);
    Key(f.box, Qt::Key_End);
    EXPECT_EQ(f.list.currentRow(), 999999);
    EXPECT_EQ(f.list.topRow(), 999990);
    EXPECT_TRUE(HasInk(f.render(), f.box.itemRect(999999)));
}
