#include "catalog/CatalogSearch.h"
#include "catalog/SongList.h"
#include "support/ScriptedDialogs.h"
#include "util/ShortStrings.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// Also records the text that each prompt offered.
class PromptDialogs : public ScriptedDialogs {
public:
    QStringList offered;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override
    {
        offered << value;
        return ScriptedDialogs::InputQuery(caption, prompt, value);
    }
    int notFound() const
    {
        int n = 0;
        for (const auto &a : asked)
            n += a.kind == "MessageBox" && a.text == "Not Found !" && a.type == MsgDlgType::Information
                 && a.buttons == ButtonSet({mbOK});
        return n;
    }
};

struct SearchFixture : ::testing::Test {
    std::vector<std::unique_ptr<TSong>> songs;
    SongList all{&TSong::CatalogRow, true};
    PromptDialogs dialogs;
    CatalogSearch search{all, dialogs};

    // 30 rows of filler; the cases put their texts into chosen rows.
    SearchFixture()
    {
        for (int i = 0; i < 30; ++i)
            add(i, "Filler", "Album", "Track", "CD00", "01:00");
    }
    void add(int row, const std::string &artist, const std::string &album, const std::string &track,
             const std::string &cd, const std::string &time)
    {
        auto song = std::make_unique<TSong>();
        song->ParseLine(ShortStr::fromUtf8(cd + "; " + time + "; 1; " + artist + "; " + album + "; " + track + "; f"),
                        nullptr);
        if (row < all.count())
            all.removeAt(row);
        all.insert(row, song.get());
        songs.push_back(std::move(song));
    }
    void find(const QString &text)
    {
        dialogs.texts.push_back(text);
        search.FindBtnClick();
    }
};
} // namespace

TEST_F(SearchFixture, FindsFromTheRowAfterTheCurrentOneAndScrolls)
{
    add(3, "The Needle Band", "A", "T", "CD01", "02:00");
    add(25, "x", "A", "T", "NEEDLE", "02:00");
    add(11, "x", "needle", "T", "CD01", "02:00");
    struct Case { int current; int found; int top; };
    const Case cases[] = {
        {-1, 3, 0},   // no current row: from row 0
        {3, 11, 1},   // the current row itself is not searched; top is index minus 10
        {10, 11, 1},
        {11, 25, 15},
        {24, 25, 15},
        {0, 3, 0},    // below 10 the list scrolls to row 0
    };
    for (const auto &c : cases) {
        all.clearSelection();
        all.setCurrentRow(c.current);
        all.setTopRow(7);
        find("needle");
        EXPECT_EQ(all.currentRow(), c.found) << c.current;
        EXPECT_EQ(all.topRow(), c.top) << c.current;
        EXPECT_EQ(all.selectedRows(), std::vector<int>{c.found}) << c.current;
    }
    EXPECT_EQ(dialogs.notFound(), 0);
}

TEST_F(SearchFixture, NoWrapAround)
{
    add(2, "needle", "A", "T", "CD01", "02:00");
    add(20, "needle", "A", "T", "CD01", "02:00");
    all.setCurrentRow(20);
    all.setSelected(20, true);
    all.setTopRow(12);
    find("needle");
    EXPECT_EQ(dialogs.notFound(), 1);
    EXPECT_EQ(all.currentRow(), 20);
    EXPECT_EQ(all.selectedRows(), std::vector<int>{20});
    EXPECT_EQ(all.topRow(), 12);
    // From the last row nothing is searched at all.
    all.setCurrentRow(29);
    find("Filler");
    EXPECT_EQ(dialogs.notFound(), 2);
}

TEST_F(SearchFixture, WhatMatches)
{
    add(1, "ABC Band", "Greatest", "Song", "CD01", "02:00");
    add(2, "Abc", "Café", "Song", "CD02", "03:00");
    add(3, "Émile", "Live", "Straße", "CD42X", "07:13");
    add(4, "x", " ", "Bare", "CD05", "04:00");
    struct Case { const char *text; int found; };
    const Case cases[] = {
        {"abc", 1},             // a to z are upper-cased on both sides
        {"abc band", 1},
        {"band\tGREATEST", 1},  // columns with their tab separators
        {"Greatest - Song", 1}, // album and track joined by " - "
        {"café", 2},            // é is not upper-cased, É not lower-cased
        {"CAFÉ", -1},
        {"émile", -1},
        {"Émile", 3},
        {"cd42x", 3},           // the CD column
        {"07:13", 3},           // the play-time text
        {"STRASSE", -1},        // no other case mapping
        {"x\tbare", 4},         // an album of blanks leaves the bare track
        {"x\t - bare", -1},
        {"", -1},               // an empty text finds nothing
    };
    for (const auto &c : cases) {
        all.setCurrentRow(-1);
        const int notFoundBefore = dialogs.notFound();
        find(QString::fromUtf8(c.text));
        if (c.found < 0) {
            EXPECT_EQ(dialogs.notFound(), notFoundBefore + 1) << c.text;
            EXPECT_EQ(all.currentRow(), -1) << c.text;
        } else {
            EXPECT_EQ(all.currentRow(), c.found) << c.text;
        }
    }
}

TEST_F(SearchFixture, RowsAndTextAreShortStrings)
{
    // A row is cut at 255 characters and so is the text: only the cut text matches the row.
    add(5, "a", "Album", "b", "CD01", "01:00");
    songs.back()->SetTexts(ShortStr::fromUtf8(std::string(200, 'a')), "Album", ShortStr::fromUtf8(std::string(80, 'b')), "f");
    const QString row = all.rowText(5).toQString();
    ASSERT_EQ(row.size(), 255);
    find(row + "more");
    EXPECT_EQ(all.currentRow(), 5);
    all.setCurrentRow(-1);
    find(row.left(250) + "ccccc");
    EXPECT_EQ(dialogs.notFound(), 1);
    // The track runs past the cut: 46 of its 80 characters are in the row.
    find(QString(46, 'b'));
    EXPECT_EQ(all.currentRow(), 5);
    all.setCurrentRow(-1);
    find(QString(47, 'b'));
    EXPECT_EQ(dialogs.notFound(), 2);
}

TEST_F(SearchFixture, OtherSelectedRowsStaySelected)
{
    add(8, "needle", "A", "T", "CD01", "02:00");
    all.setSelected(1, true);
    all.setSelected(2, true);
    all.setSelected(20, true);
    all.setCurrentRow(2);
    find("NEEDLE");
    EXPECT_EQ(all.selectedRows(), (std::vector<int>{1, 8, 20}));
    EXPECT_EQ(all.currentRow(), 8);
}

TEST_F(SearchFixture, PromptRemembersTheText)
{
    add(4, "needle", "A", "T", "CD01", "02:00");
    find("needle");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "InputQuery");
    EXPECT_EQ(dialogs.asked[0].text, "Find|Enter string to search :");
    find("nothing like it");  // not found, remembered all the same
    dialogs.texts.push_back(QString());  // Cancel
    all.setCurrentRow(0);
    search.FindBtnClick();
    find("needle");
    EXPECT_EQ(dialogs.offered, (QStringList{"", "needle", "nothing like it", "nothing like it"}));
    EXPECT_EQ(search.searchText(), "needle");
    EXPECT_EQ(all.currentRow(), 4);
}

TEST_F(SearchFixture, CancelChangesNothing)
{
    add(4, "needle", "A", "T", "CD01", "02:00");
    find("needle");
    all.setCurrentRow(1);
    all.setTopRow(3);
    dialogs.texts.push_back(QString());
    search.FindBtnClick();
    EXPECT_EQ(search.searchText(), "needle");
    EXPECT_EQ(all.currentRow(), 1);
    EXPECT_EQ(all.topRow(), 3);
    EXPECT_EQ(dialogs.notFound(), 0);
}

TEST_F(SearchFixture, CtrlFAloneRunsTheSearch)
{
    struct Case { int key; Qt::KeyboardModifiers modifiers; bool used; };
    const Case cases[] = {
        {Qt::Key_F, Qt::ControlModifier, true},
        {Qt::Key_F, Qt::NoModifier, false},
        {Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier, false},
        {Qt::Key_F, Qt::ControlModifier | Qt::AltModifier, false},
        {Qt::Key_G, Qt::ControlModifier, false},
    };
    for (const auto &c : cases) {
        dialogs.asked.clear();
        dialogs.texts.push_back(QString());
        EXPECT_EQ(search.FormKeyDown(c.key, c.modifiers), c.used) << c.key;
        EXPECT_EQ(dialogs.asked.size(), c.used ? 1u : 0u) << c.key;
        dialogs.texts.clear();
    }
}
