#include "app/ErrorReporter.h"
#include "catalog/ui/TEditTrack.h"
#include "support/gui/FocusChain.h"
#include "support/gui/ModalDriver.h"
#include "widgets/QtDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {
const TrackTexts Original{"Dir\\Song.mp3", "Artist", "Album", "Title"};

// The four texts in one readable string.
std::string Fields(const TrackTexts &t)
{
    return QStringList{t.fileName, t.artist, t.album, t.track}.join(" | ").toStdString();
}
} // namespace

TEST(TEditTrack, LayoutAndTabOrder)
{
    QtDialogs dialogs;
    DialogsErrorReporter errors{dialogs};
    HandlerGuard guard{errors};
    EditTrackForm form(dialogs, Original);
    TEditTrack dialog(form, guard);
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_TRUE(dialog.FileName->isReadOnly());
    EXPECT_LT(dialog.OkBtn->x(), dialog.CancelBtn->x());
    // Each edit under its label, in the order FileName, Artist, Album, Track.
    const QLabel *labels[] = {dialog.Label1, dialog.Label2, dialog.Label3, dialog.Label4};
    const QLineEdit *edits[] = {dialog.FileName, dialog.Artist, dialog.Album, dialog.Track};
    for (int k = 0; k < 4; ++k) {
        EXPECT_LT(labels[k]->y(), edits[k]->y()) << k;
        if (k > 0) {
            EXPECT_GT(labels[k]->y(), edits[k - 1]->y()) << k;
        }
    }
    EXPECT_EQ(TabChain(dialog.Track), (std::vector<const QWidget *>{dialog.Track, dialog.Album, dialog.Artist,
                                                                     dialog.FileName, dialog.OkBtn, dialog.CancelBtn}));
}

TEST(TEditTrack, WaysToClose)
{
    const QString longText(300, QChar(0x00e9));
    struct Case { const char *how; std::function<void(TEditTrack *)> act; bool ok; TrackTexts after; };
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
        // Through the program's dialogs, as the program opens it.
        QtDialogs dialogs;
        EXPECT_EQ(EditTrackDialog(dialogs, texts), c.ok);
        EXPECT_TRUE(focusAtStart);
        EXPECT_EQ(Fields(texts), Fields(c.after));
    }
}
