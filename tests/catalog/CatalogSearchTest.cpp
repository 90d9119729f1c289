#include "catalog/CatalogSearch.h"
#include "catalog/SongList.h"
#include "support/ScriptedDialogs.h"
#include "util/ShortStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        return static_cast<int>(std::count_if(asked.begin(), asked.end(), [](const AskedDialog &a) {
            return a.kind == "MessageBox" && a.text == "Not Found !" && a.type == MsgDlgType::Information
                   && a.buttons == ButtonSet({mbOK});
        }));
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
    void add(int row, const std::string &artist, const std::string &album = "A", const std::string &track = "T",
             const std::string &cd = "CD01", const std::string &time = "02:00")
    {
        auto song = std::make_unique<TSong>();
        song->ParseLine(ShortStr::fromUtf8(cd + "; " + time + "; 1; " + artist + "; " + album + "; " + track + "; f"));
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

TEST_F(SearchFixture, FindsFromTheRowAfterTheCurrentOneWithoutWrapping)
{
    add(3, "The Needle Band");
    add(25, "x", "A", "T", "NEEDLE");
    add(11, "x", "needle");
    struct Case { int current; int found; int top; };
    const Case cases[] = {
        {-1, 3, 0},   // no current row: from row 0
        {3, 11, 1},   // the current row itself is not searched; top is index minus 10
        {11, 25, 15},
        {0, 3, 0},    // below 10 the list scrolls to row 0
        {25, -1, 7},  // no wrap-around to row 3: nothing moves
        {29, -1, 7},  // from the last row nothing is searched
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.current);
        all.clearSelection();
        all.setSelected(20, true);
        if (c.current >= 0)
            all.setSelected(c.current, true);
        all.setCurrentRow(c.current);
        all.setTopRow(7);
        const int notFoundBefore = dialogs.notFound();
        find("needle");
        EXPECT_EQ(dialogs.notFound(), notFoundBefore + (c.found < 0));
        EXPECT_EQ(all.currentRow(), c.found < 0 ? c.current : c.found);
        EXPECT_EQ(all.topRow(), c.top);
        // Only the row left loses its selection; other selected rows keep theirs.
        std::vector<int> selected{c.found < 0 ? c.current : c.found, 20};
        std::sort(selected.begin(), selected.end());
        EXPECT_EQ(all.selectedRows(), selected);
    }
}

TEST_F(SearchFixture, WhatMatches)
{
    add(1, "ABC Band", "Greatest", "Song");
    add(2, "Abc", "Café", "Song");
    add(3, "Émile", "Live", "Straße", "CD42X", "07:13");
    add(4, "x", " ", "Bare");
    // A row is cut at 255 characters and so is the text: only the cut text matches the row.
    add(5, "a");
    songs.back()->SetTexts(ShortStr::fromUtf8(std::string(200, 'a')), "Album", ShortStr::fromUtf8(std::string(80, 'b')), "f");
    const QString row = all.rowText(5).toQString();
    ASSERT_EQ(row.size(), 255);
    struct Case { QString text; int found; };
    const Case cases[] = {
        {"abc", 1},             // a to z are upper-cased on both sides
        {"band\tGREATEST", 1},  // columns with their tab separators
        {"Greatest - Song", 1}, // album and track joined by " - "
        {"café", 2},            // é is not upper-cased, É not lower-cased
        {"CAFÉ", -1},
        {"émile", -1},
        {"cd42x", 3},           // the CD column
        {"07:13", 3},           // the play-time text
        {"STRASSE", -1},        // no other case mapping
        {"x\tbare", 4},         // an album of blanks leaves the bare track
        {"x\t - bare", -1},
        {"", -1},               // an empty text finds nothing
        {row + "more", 5},
        {row.left(250) + "ccccc", -1},
        {QString(46, 'b'), 5},  // the track runs past the cut: 46 of its 80 characters are in the row
        {QString(47, 'b'), -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        all.setCurrentRow(-1);
        const int notFoundBefore = dialogs.notFound();
        find(c.text);
        EXPECT_EQ(dialogs.notFound(), notFoundBefore + (c.found < 0));
        EXPECT_EQ(all.currentRow(), c.found);
    }
}

TEST_F(SearchFixture, PromptRemembersTheTextAndCancelChangesNothing)
{
    add(4, "needle");
    find("needle");
    find("nothing like it");  // not found, remembered all the same
    all.setCurrentRow(0);
    all.setTopRow(3);
    find(QString());  // Cancel
    EXPECT_EQ(all.currentRow(), 0);
    EXPECT_EQ(all.topRow(), 3);
    EXPECT_EQ(dialogs.notFound(), 1);
    find("needle");
    EXPECT_EQ(dialogs.offered, (QStringList{"", "needle", "nothing like it", "nothing like it"}));
    EXPECT_EQ(all.currentRow(), 4);
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
        dialogs.texts = {QString()};
        EXPECT_EQ(search.FormKeyDown(c.key, c.modifiers), c.used) << c.key;
        EXPECT_EQ(dialogs.asked.size(), c.used ? 1u : 0u) << c.key;
    }
}
