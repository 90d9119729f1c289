#include "catalog/ui/TEditTrack.h"

#include "util/ShortStr.h"
#include "widgets/Scale.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {
QString Cut(const QString &text)
{
    return ShortStr::fromQString(text).toQString();
}
} // namespace

TEditTrack::TEditTrack(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    const QScreen *where = screen();
    auto px = [where](int design) { return Scaled(design, where); };
    setWindowTitle("Edit Track");
    setFont(DesignFont(16, where));

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(0, 0, px(753), px(281));

    QLabel **labels[] = {&Label1, &Label2, &Label3, &Label4};
    QLineEdit **edits[] = {&FileName, &Artist, &Album, &Track};
    const char *captions[] = {"FileName", "Artist", "Album", "Track"};
    for (int k = 0; k < 4; ++k) {
        *labels[k] = new QLabel(captions[k], Panel1);
        (*labels[k])->setGeometry(px(12), px(8 + 68 * k), px(300), px(22));
        *edits[k] = new QLineEdit(Panel1);
        (*edits[k])->setGeometry(px(12), px(30 + 68 * k), px(729), px(32));
    }
    FileName->setReadOnly(true);

    OkBtn = new QPushButton("Ok", this);
    OkBtn->setGeometry(px(530), px(293), px(105), px(41));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setGeometry(px(641), px(293), px(105), px(41));
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(Track, Album);
    setTabOrder(Album, Artist);
    setTabOrder(Artist, FileName);
    setTabOrder(FileName, OkBtn);
    setTabOrder(OkBtn, CancelBtn);
    Track->setFocus();

    setFixedSize(px(754), px(343));
    if (where)
        move(where->geometry().center() - rect().center());
}

void TEditTrack::setTexts(const TrackTexts &texts)
{
    FileName->setText(texts.fileName);
    Artist->setText(texts.artist);
    Album->setText(texts.album);
    Track->setText(texts.track);
}

TrackTexts TEditTrack::texts() const
{
    return {Cut(FileName->text()), Cut(Artist->text()), Cut(Album->text()), Cut(Track->text())};
}

bool EditTrackDialog(QWidget *parent, TrackTexts &texts)
{
    TEditTrack dialog(parent);
    dialog.setTexts(texts);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    texts = dialog.texts();
    return true;
}
