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

TEditTrack::TEditTrack(EditTrackForm &form, const HandlerGuard &guard, QWidget *parent)
    : FormView(guard, parent), form_(form)
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
    connect(OkBtn, &QPushButton::clicked, this, [this] {
        guarded([this] {
            form_.texts = texts();
            form_.OkBtnClick();
        });
    });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { guarded([this] { form_.CancelBtnClick(); }); });
    form_.OnClose = [this] { done(form_.Choice() == mrOk ? Accepted : Rejected); };

    setTabOrder(Track, Album);
    setTabOrder(Album, Artist);
    setTabOrder(Artist, FileName);
    setTabOrder(FileName, OkBtn);
    setTabOrder(OkBtn, CancelBtn);
    Track->setFocus();

    FileName->setText(form_.texts.fileName);
    Artist->setText(form_.texts.artist);
    Album->setText(form_.texts.album);
    Track->setText(form_.texts.track);

    setFixedSize(px(754), px(343));
    if (where)
        move(where->geometry().center() - rect().center());
}

TEditTrack::~TEditTrack()
{
    form_.OnClose = nullptr;
}

TrackTexts TEditTrack::texts() const
{
    return {Cut(FileName->text()), Cut(Artist->text()), Cut(Album->text()), Cut(Track->text())};
}

