#include "app/ui/TSetupForm.h"

#include "widgets/Scale.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolButton>
#include <iterator>

TSetupForm::TSetupForm(SetupForm &form, const HandlerGuard &guard, QWidget *parent)
    : FormView(guard, parent), form_(form)
{
    const QScreen *where = screen();
    auto px = [where](int design) { return Scaled(design, where); };
    setWindowTitle(SetupForm::Caption);
    setFont(DesignFont(16, where));

    GroupBox1 = new QGroupBox("Source Drives / CDs", this);
    GroupBox1->setGeometry(px(12), px(8), px(598), px(262));
    CDPathList = new QListWidget(GroupBox1);
    CDPathList->setGeometry(px(12), px(30), px(444), px(218));
    QPushButton **pathButtons[] = {&AddPath, &ChangePath, &DelPath};
    const char *pathCaptions[] = {"Add", "Change", "Delete"};
    for (int k = 0; k < 3; ++k) {
        *pathButtons[k] = new QPushButton(pathCaptions[k], GroupBox1);
        (*pathButtons[k])->setGeometry(px(472), px(30 + 52 * k), px(112), px(41));
    }

    QLabel **labels[] = {&PlayerLabel, &CopyToHDPathLabel, &PlayFromHDPathLabel};
    QLineEdit **edits[] = {&Player, &CopyToHDPath, &PlayFromHDPath};
    const char *captions[] = {"External Player", "Default path for Copy To HD", "Default path for Play from HD"};
    for (int k = 0; k < 3; ++k) {
        *edits[k] = new QLineEdit(this);
        (*edits[k])->setGeometry(px(12), px(306 + 68 * k), px(k == 0 ? 556 : 598), px(32));
        *labels[k] = new QLabel(captions[k], this);
        (*labels[k])->setGeometry(px(12), px(284 + 68 * k), px(400), px(22));
        (*labels[k])->setBuddy(*edits[k]);
    }
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setText("...");
    SpeedButton1->setToolTip("Select External Player");
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setGeometry(px(576), px(306), px(34), px(32));

    OkBtn = new QPushButton("OK", this);
    OkBtn->setGeometry(px(390), px(512), px(105), px(41));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setGeometry(px(505), px(512), px(105), px(41));

    Player->setText(form_.Player);
    CopyToHDPath->setText(form_.CopyToHDPath);
    PlayFromHDPath->setText(form_.PlayFromHDPath);
    showPathList();

    connect(&form_.CDPathList, &ListState::rowsChanged, this, &TSetupForm::showPathList);
    connect(&form_.CDPathList, &ListState::currentRowChanged, this,
            [this](int row) { CDPathList->setCurrentRow(row); });
    connect(CDPathList, &QListWidget::currentRowChanged, this,
            [this](int row) { guarded([this, row] { form_.CDPathList.setCurrentRow(row); }); });
    connect(Player, &QLineEdit::textChanged, this, [this](const QString &text) { form_.Player = text; });
    connect(CopyToHDPath, &QLineEdit::textChanged, this, [this](const QString &text) { form_.CopyToHDPath = text; });
    connect(PlayFromHDPath, &QLineEdit::textChanged, this,
            [this](const QString &text) { form_.PlayFromHDPath = text; });
    connect(AddPath, &QPushButton::clicked, this, [this] { guarded([this] { form_.AddPathClick(); }); });
    connect(ChangePath, &QPushButton::clicked, this, [this] { guarded([this] { form_.ChangePathClick(); }); });
    connect(DelPath, &QPushButton::clicked, this, [this] { guarded([this] { form_.DelPathClick(); }); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] {
        guarded([this] {
            form_.SpeedButton1Click();
            Player->setText(form_.Player);
        });
    });
    connect(OkBtn, &QPushButton::clicked, this, [this] { guarded([this] { form_.OkBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { guarded([this] { form_.CancelBtnClick(); }); });
    form_.OnClose = [this] { done(form_.Choice() == mrOk ? Accepted : Rejected); };
    form_.OnFocusPathList = [this] { CDPathList->setFocus(); };

    QWidget *order[] = {OkBtn, CancelBtn, CDPathList, AddPath, ChangePath, DelPath, Player, CopyToHDPath,
                        PlayFromHDPath};
    for (size_t k = 0; k + 1 < std::size(order); ++k)
        setTabOrder(order[k], order[k + 1]);
    OkBtn->setFocus();

    setFixedSize(px(622), px(565));
    if (where)
        move(where->geometry().center() - rect().center());
}

TSetupForm::~TSetupForm()
{
    form_.OnClose = nullptr;
    form_.OnFocusPathList = nullptr;
}

void TSetupForm::showPathList()
{
    const QSignalBlocker quiet(CDPathList);
    CDPathList->clear();
    for (int row = 0; row < form_.CDPathList.count(); ++row)
        CDPathList->addItem(form_.CDPathList.rowText(row).toQString());
    CDPathList->setCurrentRow(form_.CDPathList.currentRow());
}
