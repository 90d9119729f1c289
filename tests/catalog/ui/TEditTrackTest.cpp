#include "catalog/ui/TEditTrack.h"
#include "support/gui/ModalDriver.h"
#include "widgets/QtDialogs.h"
#include "widgets/Scale.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {
const TrackTexts Original{"Dir\\Song.mp3", "Artist", "Album", "Title"};
} // namespace

TEST(TEditTrack, Controls)
{
    TEditTrack dialog;
    dialog.setTexts(Original);
    EXPECT_EQ(dialog.windowTitle(), "Edit Track");
    EXPECT_EQ(dialog.size(), QSize(Scaled(754), Scaled(343)));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.Panel1->size(), QSize(Scaled(753), Scaled(281)));
    EXPECT_TRUE(dialog.FileName->isReadOnly());
    EXPECT_FALSE(dialog.Track->isReadOnly());
    EXPECT_EQ(dialog.OkBtn->text(), "Ok");
    EXPECT_TRUE(dialog.OkBtn->isDefault());
    EXPECT_EQ(dialog.CancelBtn->text(), "Cancel");
    EXPECT_LT(dialog.OkBtn->x(), dialog.CancelBtn->x());
    EXPECT_GT(dialog.OkBtn->y(), dialog.Panel1->height() - 1);

    // Each edit under its label, in the order FileName, Artist, Album, Track.
    const QLabel *labels[] = {dialog.Label1, dialog.Label2, dialog.Label3, dialog.Label4};
    const QLineEdit *edits[] = {dialog.FileName, dialog.Artist, dialog.Album, dialog.Track};
    const char *captions[] = {"FileName", "Artist", "Album", "Track"};
    const QString texts[] = {Original.fileName, Original.artist, Original.album, Original.track};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(labels[k]->text(), captions[k]);
        EXPECT_EQ(edits[k]->text(), texts[k]);
        EXPECT_EQ(edits[k]->width(), Scaled(729));
        EXPECT_LT(labels[k]->y(), edits[k]->y());
        if (k > 0) {
            EXPECT_GT(labels[k]->y(), edits[k - 1]->y());
        }
    }

    // Tab goes Track, Album, Artist, FileName, Ok, Cancel.
    const QWidget *order[] = {dialog.Track, dialog.Album, dialog.Artist, dialog.FileName, dialog.OkBtn, dialog.CancelBtn};
    const QWidget *w = dialog.Track;
    for (const QWidget *expected : order) {
        EXPECT_EQ(w, expected);
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
    }
}

TEST(TEditTrack, WaysToClose)
{
    const QString longText(300, QChar(0x00e9));
    struct Case {
        const char *how;
        std::function<void(TEditTrack *)> act;
        bool ok;
        TrackTexts after;
    };
    const Case cases[] = {
        {"edit then Enter", [](TEditTrack *d) { d->Album->setText("New Album"); PressKey(Qt::Key_Return); }, true,
         {Original.fileName, Original.artist, "New Album", Original.track}},
        {"Ok without change", [](TEditTrack *d) { d->OkBtn->click(); }, true, Original},
        {"long text cut to 255",
         [&](TEditTrack *d) { d->Track->setText(longText); d->OkBtn->click(); }, true,
         {Original.fileName, Original.artist, Original.album, longText.left(255)}},
        {"Escape", [](TEditTrack *d) { d->Artist->setText("x"); PressKey(Qt::Key_Escape); }, false, Original},
        {"Cancel", [](TEditTrack *d) { d->Artist->setText("x"); d->CancelBtn->click(); }, false, Original},
        {"close box", [](TEditTrack *d) { d->Artist->setText("x"); d->close(); }, false, Original},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        TrackTexts texts = Original;
        bool focusAtStart = false;
        WhenShown<TEditTrack> shown([&](TEditTrack *d) {
            focusAtStart = QApplication::focusWidget() == d->Track;
            c.act(d);
        });
        EXPECT_EQ(EditTrackDialog(nullptr, texts), c.ok);
        EXPECT_TRUE(focusAtStart);
        EXPECT_EQ(texts.fileName, c.after.fileName);
        EXPECT_EQ(texts.artist, c.after.artist);
        EXPECT_EQ(texts.album, c.after.album);
        EXPECT_EQ(texts.track, c.after.track);
    }
}

TEST(TEditTrack, ShownForTheProgramsDialogs)
{
    QtDialogs dialogs;
    TrackTexts texts = Original;
    WhenShown<TEditTrack> shown([](TEditTrack *d) { d->Artist->setText("Other"); d->OkBtn->click(); });
    EXPECT_TRUE(dialogs.EditTrack(texts));
    EXPECT_EQ(texts.artist, "Other");
}
