#include "catalog/SongList.h"
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
const QChar Block(0x2588);
const QColor Base(255, 255, 255), Ink(0, 0, 0), Highlight(0, 0, 128), HighlightText(255, 255, 0);

QString Blocks(int n)
{
    return QString(n, Block);
}

// A list of rows with exactly the given texts, shown in a tabbed list box with the catalog's
// header layout on 528 pixels.
struct Fixture {
    explicit Fixture(bool multiSelect = true, bool withHeader = true) : list(&TSong::Artist, multiSelect)
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
        header.addSection("Artist", 126);
        header.addSection("Album - Track", 267);
        header.addSection("Time", 73);
        header.addSection("CD", 57);
        if (withHeader)
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
    QImage render()
    {
        QImage image(box.viewport()->size(), QImage::Format_RGB32);
        box.viewport()->render(&image);
        return image;
    }
    std::vector<std::unique_ptr<TSong>> songs;
    SongList list;
    THeader header;
    TTabListBox box;
};

// Ink: any pixel that differs from the background colour.
bool HasInk(const QImage &image, QRect area, QColor background = Base)
{
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background.rgb())
                return true;
    return false;
}

int LeftmostInk(const QImage &image, QRect area, QColor background = Base)
{
    for (int x = area.left(); x <= area.right(); ++x)
        if (HasInk(image, QRect(x, area.top(), 1, area.height()), background))
            return x;
    return -1;
}

int RightmostInk(const QImage &image, QRect area, QColor background = Base)
{
    for (int x = area.right(); x >= area.left(); --x)
        if (HasInk(image, QRect(x, area.top(), 1, area.height()), background))
            return x;
    return -1;
}

int CountColor(const QImage &image, QRect area, QColor color)
{
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == color.rgb();
    return n;
}

// A band of a row between two x positions (end exclusive).
QRect Band(const TTabListBox &box, int row, int from, int to)
{
    const QRect r = box.itemRect(row);
    return {from, r.top(), to - from, r.height()};
}

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

QPoint RowPoint(const TTabListBox &box, int row, int x = 10)
{
    return {x, box.itemRect(row).center().y()};
}

std::vector<int> Selected(const SongList &list)
{
    return list.selectedRows();
}

void Focus(TTabListBox &box)
{
    QApplication::setActiveWindow(&box);
    box.setFocus();
}
} // namespace


TEST(TTabListBox, CellsAreClippedThreeLeftOfTheEdgeAndTheNextStartsFourRight)
{
    Fixture f;
    f.add(Blocks(20) + "\t" + Blocks(3) + "\t" + Blocks(20) + "\t" + Blocks(30));
    const QImage image = f.render();
    // Column edges of 528 pixels at 24, 74 and 88 percent: 127, 391, 465.
    for (int edge : {127, 465}) {
        EXPECT_GE(RightmostInk(image, Band(f.box, 0, edge - 10, edge - 3)), edge - 6) << edge;
        EXPECT_FALSE(HasInk(image, Band(f.box, 0, edge - 3, edge + 1))) << edge;
        EXPECT_EQ(LeftmostInk(image, Band(f.box, 0, edge - 3, edge + 20)), edge + 1) << edge;
    }
    // Column 2 holds only its own three blocks; the last column reaches the row's right edge.
    const int threeBlocks = QFontMetrics(f.box.font()).horizontalAdvance(Blocks(3));
    EXPECT_NEAR(RightmostInk(image, Band(f.box, 0, 128, 388)), 128 + threeBlocks - 1, 1);
    EXPECT_EQ(RightmostInk(image, Band(f.box, 0, 466, 528)), f.box.viewport()->width() - 1);
}

TEST(TTabListBox, TextIsCentredInTheRow)
{
    Fixture f;
    f.add(Blocks(2));
    f.add(Blocks(2));
    const QImage image = f.render();
    ASSERT_EQ(f.box.ItemHeight(), 21);
    const int textHeight = QFontMetrics(f.box.font()).height();
    const int top = (21 - textHeight) / 2;
    for (int row = 0; row < 2; ++row) {
        const int y = row * 21;
        EXPECT_FALSE(HasInk(image, QRect(0, y, 100, top))) << row;
        EXPECT_TRUE(HasInk(image, QRect(0, y + top, 100, 1))) << row;
        EXPECT_TRUE(HasInk(image, QRect(0, y + top + textHeight - 1, 100, 1))) << row;
        EXPECT_FALSE(HasInk(image, QRect(0, y + top + textHeight, 100, 21 - top - textHeight))) << row;
    }
}

TEST(TTabListBox, RowsWithFewerOrMoreColumnsThanTheHeader)
{
    Fixture f(true, false);
    THeader two;
    two.addSection("A", 126);
    two.addSection("B", 267);
    f.box.setHeader(&two);
    f.add(Blocks(20));                                      // no tabs: column 1 only
    f.add(Blocks(1) + "\t" + Blocks(1) + "\t" + Blocks(5)); // text after the last section's tab is not drawn
    const QImage image = f.render();
    const int oneBlock = QFontMetrics(f.box.font()).horizontalAdvance(Blocks(1));
    EXPECT_EQ(RightmostInk(image, Band(f.box, 0, 0, 528)), 123);
    EXPECT_EQ(LeftmostInk(image, Band(f.box, 1, 20, 528)), 128);
    EXPECT_EQ(RightmostInk(image, Band(f.box, 1, 20, 528)), 128 + oneBlock - 1);
}

TEST(TTabListBox, WithoutHeaderTheFirstCellTakesTheWholeRow)
{
    Fixture f(true, false);
    f.add(Blocks(20) + "\t" + Blocks(20));
    f.add(Blocks(1) + "\t" + Blocks(1));
    const QImage image = f.render();
    const QFontMetrics metrics(f.box.font());
    EXPECT_NEAR(RightmostInk(image, Band(f.box, 0, 0, 528)), metrics.horizontalAdvance(Blocks(20)) - 1, 2);
    EXPECT_EQ(RightmostInk(image, Band(f.box, 1, 0, 528)), metrics.horizontalAdvance(Blocks(1)) - 1);
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

TEST(TTabListBox, TildeCodePicksAColourOnUnselectedRows)
{
    const QColor green(0, 160, 0), red(255, 0, 0);
    Fixture f;
    f.box.setColor(5, green);
    f.add(Blocks(3) + "~\x05" + Blocks(3));
    f.add(Blocks(3) + "~\x05" + Blocks(3));
    f.list.setSelected(1, true);
    const QImage image = f.render();
    const int threeBlocks = QFontMetrics(f.box.font()).horizontalAdvance(Blocks(3));
    // Black up to the code, green from there on, with no gap for the two hidden characters.
    EXPECT_EQ(CountColor(image, Band(f.box, 0, threeBlocks + 1, 124), Ink), 0);
    EXPECT_EQ(CountColor(image, Band(f.box, 0, 0, threeBlocks - 1), green), 0);
    EXPECT_GT(CountColor(image, Band(f.box, 0, 0, threeBlocks - 1), Ink), 0);
    EXPECT_NEAR(LeftmostInk(image, Band(f.box, 0, threeBlocks - 1, 124), Base) , threeBlocks - 1, 1);
    EXPECT_NEAR(RightmostInk(image, Band(f.box, 0, 0, 124), Base), 2 * threeBlocks - 1, 1);
    EXPECT_GT(CountColor(image, Band(f.box, 0, threeBlocks + 1, 124), green), 0);
    // The selected row (list without focus) stays red throughout.
    EXPECT_GT(CountColor(image, f.box.itemRect(1), red), 0);
    EXPECT_EQ(CountColor(image, f.box.itemRect(1), green), 0);
}

TEST(TTabListBox, ColumnColourHoldsForTheFollowingCells)
{
    const QColor blue(0, 0, 255), red(255, 0, 0);
    Fixture f;
    f.box.setColor(2, blue);
    f.add(Blocks(3) + "\t" + Blocks(3) + "\t" + Blocks(3));
    f.add(Blocks(3) + "\t" + Blocks(3) + "\t" + Blocks(3));
    f.list.setSelected(1, true);
    const QImage image = f.render();
    EXPECT_GT(CountColor(image, Band(f.box, 0, 0, 124), Ink), 0);
    EXPECT_EQ(CountColor(image, Band(f.box, 0, 0, 124), blue), 0);
    EXPECT_GT(CountColor(image, Band(f.box, 0, 128, 528), blue), 0);
    EXPECT_EQ(CountColor(image, Band(f.box, 0, 128, 528), Ink), 0);
    EXPECT_EQ(CountColor(image, f.box.itemRect(1), blue), 0);
    EXPECT_GT(CountColor(image, Band(f.box, 1, 392, 528), red), 0);
}

TEST(TTabListBox, SelectedRowsAreRedUnlessFocusedAndCurrent)
{
    const QColor red(255, 0, 0);
    Fixture f;
    for (int i = 0; i < 3; ++i)
        f.add(Blocks(3) + "\t" + Blocks(3));
    f.list.setSelected(0, true);
    f.list.setSelected(1, true);
    f.list.setCurrentRow(1);
    const QPoint gap(125, 10);

    QImage image = f.render();
    ASSERT_FALSE(f.box.hasFocus());
    for (int row : {0, 1}) {
        EXPECT_GT(CountColor(image, f.box.itemRect(row), red), 0) << row;
        EXPECT_EQ(CountColor(image, f.box.itemRect(row), Ink), 0) << row;
        EXPECT_EQ(image.pixel(gap + f.box.itemRect(row).topLeft()), Base.rgb()) << row;
    }
    EXPECT_GT(CountColor(image, f.box.itemRect(2), Ink), 0);
    EXPECT_EQ(CountColor(image, f.box.itemRect(2), red), 0);

    Focus(f.box);
    ASSERT_TRUE(f.box.hasFocus());
    image = f.render();
    EXPECT_GT(CountColor(image, f.box.itemRect(0), red), 0);
    EXPECT_EQ(image.pixel(gap + f.box.itemRect(0).topLeft()), Base.rgb());
    EXPECT_EQ(image.pixel(gap + f.box.itemRect(1).topLeft()), Highlight.rgb());
    EXPECT_GT(CountColor(image, f.box.itemRect(1), HighlightText), 0);
    EXPECT_EQ(CountColor(image, f.box.itemRect(1), red), 0);
}

TEST(TTabListBox, SingleSelectListShowsItsCurrentRowAsSelected)
{
    Fixture f(false);
    f.add(Blocks(3));
    f.add(Blocks(3));
    f.list.setCurrentRow(1);
    const QImage image = f.render();
    EXPECT_GT(CountColor(image, f.box.itemRect(1), QColor(255, 0, 0)), 0);
    EXPECT_GT(CountColor(image, f.box.itemRect(0), Ink), 0);
}

TEST(TTabListBox, ColumnTextOffsetShiftsTextLeftInsideItsCell)
{
    Fixture f;
    f.add("x\t" + Blocks(3));
    const int before = RightmostInk(f.render(), Band(f.box, 0, 128, 388));
    f.box.setColumnTextOffset(2, 5);
    const QImage image = f.render();
    EXPECT_EQ(RightmostInk(image, Band(f.box, 0, 128, 388)), before - 5);
    EXPECT_EQ(LeftmostInk(image, Band(f.box, 0, 124, 388)), 128);
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

TEST(TTabListBox, RightClickTogglesSelectionInMultiSelectLists)
{
    struct Case { bool multi; int row; std::vector<int> afterFirst, afterSecond; };
    const Case cases[] = {
        {true, 1, {1}, {}},
        {true, 5, {}, {}},   // below the last row
        {false, 1, {}, {}},
    };
    for (const Case &c : cases) {
        Fixture f(c.multi);
        for (int i = 0; i < 3; ++i)
            f.add(QString("row %1").arg(i));
        f.list.setCurrentRow(0);
        Click(f.box, RowPoint(f.box, c.row), Qt::NoModifier, Qt::RightButton);
        EXPECT_EQ(Selected(f.list), c.afterFirst) << c.row;
        Click(f.box, RowPoint(f.box, c.row), Qt::NoModifier, Qt::RightButton);
        EXPECT_EQ(Selected(f.list), c.afterSecond) << c.row;
        EXPECT_EQ(f.list.currentRow(), 0);
    }
}

namespace {
std::vector<QString> Texts(const SongList &list)
{
    std::vector<QString> out;
    for (int i = 0; i < list.count(); ++i)
        out.push_back(list.rowText(i).toQString());
    return out;
}
} // namespace

TEST(TTabListBox, RightClickChoosesTheSortColumn)
{
    Fixture f;
    f.add("c\t1");
    f.add("a\t3");
    f.add("b\t2");
    f.box.setSortedByTab(1);
    EXPECT_EQ(Texts(f.list), (std::vector<QString>{"a\t3", "b\t2", "c\t1"}));
    Click(f.box, RowPoint(f.box, 0, 200), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(f.box.SortedByTab(), 2);
    EXPECT_EQ(Texts(f.list), (std::vector<QString>{"c\t1", "b\t2", "a\t3"}));
    EXPECT_TRUE(Selected(f.list).empty());
    // A click in the sort column itself changes nothing.
    Click(f.box, RowPoint(f.box, 0, 200), Qt::NoModifier, Qt::RightButton);
    EXPECT_TRUE(Selected(f.list).empty());

    f.box.setRightClickSortOff(true);
    Click(f.box, RowPoint(f.box, 0, 10), Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(f.box.SortedByTab(), 2);
    EXPECT_EQ(Selected(f.list), (std::vector<int>{0}));
}

TEST(TTabListBox, CtrlDigitResortsKeepingTheCurrentRow)
{
    Fixture f;
    f.add("c\t1");
    f.add("a\t3");
    f.add("b\t2");
    Key(f.box, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(f.box.SortedByTab(), 0);
    EXPECT_EQ(Texts(f.list), (std::vector<QString>{"c\t1", "a\t3", "b\t2"}));

    f.box.setSortedByTab(1);
    f.list.setCurrentRow(0);
    Key(f.box, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(f.box.SortedByTab(), 2);
    EXPECT_EQ(Texts(f.list), (std::vector<QString>{"c\t1", "b\t2", "a\t3"}));
    EXPECT_EQ(f.list.currentRow(), 2);
    // Only Ctrl alone with a digit sorts.
    Key(f.box, Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.box.SortedByTab(), 2);
    Key(f.box, Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(f.box.SortedByTab(), 1);
    EXPECT_EQ(Texts(f.list), (std::vector<QString>{"a\t3", "b\t2", "c\t1"}));
}

TEST(TTabListBox, OnChangeReportsTheCurrentRowWhenASelectedRowIsDrawn)
{
    Fixture f;
    for (int i = 0; i < 3; ++i)
        f.add(QString("row %1").arg(i));
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

TEST(TTabListBox, LinkingTheHeaderLaysOutTheColumns)
{
    Fixture f;
    const int expected[] = {24, 74, 88, 99, 0};
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(f.box.columnPosition(c), expected[c - 1]) << c;
    f.box.setTabFixedSize(true);
    EXPECT_EQ(f.box.columnPosition(2), 267);
}

TEST(TTabListBox, WidthChangeKeepsTheSectionsShares)
{
    struct Case { bool fixed; int width; std::vector<int> sections; };
    const Case cases[] = {
        {false, 1056, {253, 528, 148, 116}},
        {false, 264, {63, 132, 37, 29}},
        {true, 1056, {126, 267, 73, 57}},
    };
    for (const Case &c : cases) {
        Fixture f;
        f.box.setTabFixedSize(c.fixed);
        f.box.resize(c.width, 200);
        EXPECT_EQ(f.header.sectionWidths(), c.sections) << c.width;
        EXPECT_EQ(f.header.width(), c.width);
        // Percentages stay; the list's height alone changes nothing.
        EXPECT_EQ(f.box.columnPosition(2), c.fixed ? 267 : 74);
        f.box.resize(c.width, 300);
        EXPECT_EQ(f.header.sectionWidths(), c.sections) << c.width;
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
    EXPECT_EQ(f.header.SectionWidth(0), 150);
    EXPECT_EQ(sizing, (std::vector<int>{0}));
    EXPECT_EQ(f.box.columnPosition(1), 28);  // 150 of 528
    EXPECT_EQ(f.box.columnPosition(2), 79);  // 417 of 528
    const QImage image = f.render();
    const int edge = NearestRatio(528 * 28, 100);
    EXPECT_FALSE(HasInk(image, Band(f.box, 0, edge - 3, edge + 1)));
    EXPECT_EQ(LeftmostInk(image, Band(f.box, 0, edge - 3, 400)), edge + 1);
    SendMouse(&f.header, QEvent::MouseButtonRelease, {151, 5}, Qt::LeftButton);
    // Away from an edge the header does not resize.
    SendMouse(&f.header, QEvent::MouseButtonPress, {60, 5}, Qt::LeftButton);
    SendMouse(&f.header, QEvent::MouseMove, {90, 5}, Qt::LeftButton);
    EXPECT_EQ(f.header.sectionWidths(), (std::vector<int>{150, 267, 73, 57}));
}

TEST(TTabListBox, MouseSelectionInAMultiSelectList)
{
    struct Step { int row; Qt::KeyboardModifiers modifiers; std::vector<int> selected; };
    const std::vector<Step> steps = {
        {1, Qt::NoModifier, {1}},
        {3, Qt::ControlModifier, {1, 3}},
        {5, Qt::ShiftModifier, {3, 4, 5}},     // from the last plain or Ctrl click
        {2, Qt::ShiftModifier, {2, 3}},
        {0, Qt::ShiftModifier | Qt::ControlModifier, {0, 1, 2, 3}},
        {4, Qt::NoModifier, {4}},
        {4, Qt::ControlModifier, {}},
        {6, Qt::NoModifier, {6}},
        {6, Qt::NoModifier, {6}},
        {20, Qt::NoModifier, {6}},   // empty space: nothing
    };
    Fixture f;
    for (int i = 0; i < 8; ++i)
        f.add(QString("row %1").arg(i));
    for (const Step &s : steps) {
        Click(f.box, RowPoint(f.box, s.row), s.modifiers);
        EXPECT_EQ(Selected(f.list), s.selected) << "click on " << s.row;
        EXPECT_EQ(f.list.currentRow(), s.row < 8 ? s.row : 6);
    }
}

TEST(TTabListBox, PressOnASelectedRowKeepsTheSelectionForADrag)
{
    Fixture f;
    for (int i = 0; i < 4; ++i)
        f.add(QString("row %1").arg(i));
    f.list.setSelected(1, true);
    f.list.setSelected(2, true);
    SendMouse(f.box.viewport(), QEvent::MouseButtonPress, RowPoint(f.box, 2), Qt::LeftButton);
    EXPECT_EQ(Selected(f.list), (std::vector<int>{1, 2}));
    SendMouse(f.box.viewport(), QEvent::MouseButtonRelease, RowPoint(f.box, 2), Qt::LeftButton);
    EXPECT_EQ(Selected(f.list), (std::vector<int>{2}));
}

TEST(TTabListBox, MouseInASingleSelectList)
{
    Fixture f(false);
    for (int i = 0; i < 3; ++i)
        f.add(QString("row %1").arg(i));
    Click(f.box, RowPoint(f.box, 2));
    EXPECT_EQ(f.list.currentRow(), 2);
    Click(f.box, RowPoint(f.box, 1), Qt::ControlModifier);
    EXPECT_EQ(f.list.currentRow(), 1);
    Click(f.box, RowPoint(f.box, 7));
    EXPECT_EQ(f.list.currentRow(), 1);
    EXPECT_EQ(f.list.selectedCount(), 0);
}

TEST(TTabListBox, DoubleClickReportsTheRow)
{
    Fixture f;
    f.add("a");
    f.add("b");
    std::vector<int> rows;
    QObject::connect(&f.box, &TTabListBox::rowDoubleClicked, [&](int row) { rows.push_back(row); });
    SendMouse(f.box.viewport(), QEvent::MouseButtonDblClick, RowPoint(f.box, 1), Qt::LeftButton);
    SendMouse(f.box.viewport(), QEvent::MouseButtonDblClick, RowPoint(f.box, 6), Qt::LeftButton);
    EXPECT_EQ(rows, (std::vector<int>{1}));
    EXPECT_EQ(f.list.currentRow(), 1);
}

TEST(TTabListBox, KeyboardMovesTheCurrentRow)
{
    struct Step { int key; Qt::KeyboardModifiers modifiers; int current; std::vector<int> selected; };
    const std::vector<Step> steps = {
        {Qt::Key_Down, Qt::NoModifier, 0, {0}},
        {Qt::Key_Down, Qt::NoModifier, 1, {1}},
        {Qt::Key_Down, Qt::ShiftModifier, 2, {1, 2}},
        {Qt::Key_Down, Qt::ShiftModifier, 3, {1, 2, 3}},
        {Qt::Key_Up, Qt::ShiftModifier, 2, {1, 2}},
        {Qt::Key_Down, Qt::ControlModifier, 3, {1, 2}},
        {Qt::Key_Home, Qt::NoModifier, 0, {0}},
        {Qt::Key_Up, Qt::NoModifier, 0, {0}},
        {Qt::Key_PageDown, Qt::NoModifier, 8, {8}},   // nine rows in view
        {Qt::Key_End, Qt::ShiftModifier, 29, {}},
        {Qt::Key_PageUp, Qt::NoModifier, 21, {21}},
        {Qt::Key_End, Qt::NoModifier, 29, {29}},
        {Qt::Key_Down, Qt::NoModifier, 29, {29}},
    };
    Fixture f;
    for (int i = 0; i < 30; ++i)
        f.add(QString("row %1").arg(i));
    f.box.resize(528, 9 * 21 + 5);
    for (const Step &s : steps) {
        Key(f.box, s.key, s.modifiers);
        EXPECT_EQ(f.list.currentRow(), s.current) << s.key;
        if (s.key == Qt::Key_End && s.modifiers == Qt::ShiftModifier) {
            EXPECT_EQ(f.list.selectedCount(), 22);  // rows 8 to 29
        } else {
            EXPECT_EQ(Selected(f.list), s.selected) << s.key;
        }
        // The current row stays in view.
        EXPECT_LE(f.list.topRow(), s.current);
        EXPECT_GT(f.list.topRow() + 9, s.current);
    }
    EXPECT_EQ(f.list.topRow(), 21);
}

TEST(TTabListBox, KeyHandlersComeFirst)
{
    Fixture f;
    for (const char *t : {"apple", "Banana", "cherry", "blue"})
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
    EXPECT_EQ(f.list.currentRow(), 0);
    swallowKey = false;
    Key(f.box, Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(f.list.currentRow(), 0);
    swallowChar = false;
    // Type-ahead: the next row whose first column starts with the letter, in any case.
    Key(f.box, Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(f.list.currentRow(), 1);
    Key(f.box, Qt::Key_B, Qt::NoModifier, "B");
    EXPECT_EQ(f.list.currentRow(), 3);
    Key(f.box, Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(f.list.currentRow(), 1);
    Key(f.box, Qt::Key_Z, Qt::NoModifier, "z");
    EXPECT_EQ(f.list.currentRow(), 1);
    EXPECT_EQ(Selected(f.list), (std::vector<int>{1}));
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_Down, Qt::Key_B, Qt::Key_B, Qt::Key_B, Qt::Key_B, Qt::Key_Z}));
    EXPECT_EQ(chars.size(), 5u);
    // Enter and keys the list has no use for go on to the window.
    for (int key : {Qt::Key_Return, Qt::Key_F5}) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Return ? "\r" : "");
        QApplication::sendEvent(&f.box, &event);
        EXPECT_FALSE(event.isAccepted()) << key;
    }
    EXPECT_EQ(f.list.currentRow(), 1);
}

TEST(TTabListBox, ShiftRangeStartsAtARowTheProgramMadeCurrent)
{
    Fixture f;
    for (int i = 0; i < 8; ++i)
        f.add(QString("row %1").arg(i));
    Click(f.box, RowPoint(f.box, 6));
    f.list.setCurrentRow(2);
    Click(f.box, RowPoint(f.box, 4), Qt::ShiftModifier);
    EXPECT_EQ(Selected(f.list), (std::vector<int>{2, 3, 4}));
    Key(f.box, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Selected(f.list), (std::vector<int>{2, 3, 4, 5}));
}

TEST(TTabListBox, ItemAtPos)
{
    Fixture f;
    f.box.setFrameStyle(QFrame::Box);
    f.box.setLineWidth(2);
    for (int i = 0; i < 20; ++i)
        f.add(QString("row %1").arg(i));
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

    Fixture few;
    few.add("only");
    EXPECT_EQ(few.box.ItemAtPos({5, 3 * h}, false), 1);
    EXPECT_EQ(few.box.ItemAtPos({5, 3 * h}, true), -1);
}

TEST(TTabListBox, DragAndDropSignalsNameTheSourceList)
{
    Fixture source, target;
    target.box.setFrameStyle(QFrame::Box);
    target.box.setLineWidth(2);
    source.add("dragged");
    target.add("a");
    target.add("b");
    bool accept = false;
    std::vector<std::pair<TTabListBox *, QPoint>> over, dropped;
    QObject::connect(&target.box, &TTabListBox::dragOverList, [&](TTabListBox *s, QPoint pos, bool *ok) {
        over.emplace_back(s, pos);
        *ok = accept;
    });
    QObject::connect(&target.box, &TTabListBox::dragDroppedOnList,
                     [&](TTabListBox *s, QPoint pos) { dropped.emplace_back(s, pos); });

    TabListDragData data(&source.box);
    EXPECT_TRUE(data.hasFormat(TabListDragData::MimeType));
    const QPoint inside(20, 25);
    QDragEnterEvent enter(inside, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target.box.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent refused(inside, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target.box.viewport(), &refused);
    EXPECT_FALSE(refused.isAccepted());
    accept = true;
    QDragMoveEvent move(inside, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target.box.viewport(), &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);
    QDropEvent drop(inside, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target.box.viewport(), &drop);
    ASSERT_EQ(over.size(), 2u);
    EXPECT_EQ(over[1], std::make_pair(&source.box, inside));
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0], std::make_pair(&source.box, inside));
    EXPECT_EQ(target.box.ItemAtPos(dropped[0].second, false), 1);

    // Dropped on the frame: the point lies outside the item area.
    const QPoint frame(1, 1);
    QDragEnterEvent enterFrame(frame, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target.box, &enterFrame);
    QDragMoveEvent moveFrame(frame, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target.box, &moveFrame);
    EXPECT_EQ(over.back().second, QPoint(-1, -1));
    QDropEvent onFrame(frame, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target.box, &onFrame);
    ASSERT_EQ(dropped.size(), 2u);
    EXPECT_EQ(dropped[1].second, QPoint(-1, -1));
    EXPECT_EQ(target.box.ItemAtPos(dropped[1].second, false), -1);

    // Other drags are not offered to the handlers.
    QMimeData text;
    text.setText("x");
    QDropEvent foreign(inside, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target.box.viewport(), &foreign);
    EXPECT_EQ(dropped.size(), 2u);
    EXPECT_FALSE(foreign.isAccepted());
}

TEST(TTabListBox, WheelAndModelDriveTheScrollPosition)
{
    Fixture f;
    for (int i = 0; i < 100; ++i)
        f.add(QString("row %1").arg(i));
    f.box.resize(528, 10 * 21);
    QWheelEvent wheel(QPointF(10, 10), f.box.viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.box.viewport(), &wheel);
    EXPECT_EQ(f.list.topRow(), QApplication::wheelScrollLines());
    f.list.setTopRow(40);
    EXPECT_EQ(f.box.verticalScrollBar()->value(), 40);
    // Never past the last page.
    f.list.setTopRow(99);
    EXPECT_EQ(f.list.topRow(), 90);
    f.list.setCurrentRow(20);
    EXPECT_EQ(f.list.topRow(), 20);
    f.list.setCurrentRow(50);
    EXPECT_EQ(f.list.topRow(), 41);
}

TEST(TTabListBox, AMillionRows)
{
    Fixture f;
    std::vector<std::unique_ptr<TSong>> songs;
    for (int i = 0; i < 10; ++i) {
        songs.push_back(std::make_unique<TSong>());
        songs.back()->SetTexts(ShortStr::fromQString(QString("Artist %1\tAlbum - Track\t03:25\tCD%1").arg(i)), "", "", "");
    }
    std::vector<TSong *> rows(1000000);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = songs[i % 10].get();
    f.list.setSongs(rows);
    EXPECT_TRUE(HasInk(f.render(), f.box.itemRect(0)));
    Key(f.box, Qt::Key_End);
    EXPECT_EQ(f.list.currentRow(), 999999);
    EXPECT_EQ(f.list.topRow(), 1000000 - f.box.viewport()->height() / f.box.ItemHeight());
    const QImage image = f.render();
    EXPECT_TRUE(HasInk(image, f.box.itemRect(999999), Base));
}
