#include "import/ui/TImportInfo.h"

#include "widgets/Scale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <iterator>

TImportInfo::TImportInfo(ImportInfoForm &form, const HandlerGuard &guard, QWidget *parent)
    : FormView(guard, parent), form_(form)
{
    const QScreen *where = screen();
    auto px = [where](int design) { return Scaled(design, where); };
    setWindowTitle(ImportInfoForm::Caption);
    setFont(DesignFont(16, where));

    CDNum = new QLineEdit(form_.CDNum, this);
    CDNum->setMaxLength(ImportInfoForm::CDNumMaxLength);
    CDNum->setGeometry(px(12), px(34), px(200), px(32));
    Source = new QComboBox(this);
    Source->setEditable(true);
    // Return in the combo box starts the import; it never adds the typed path to the items.
    Source->setInsertPolicy(QComboBox::NoInsert);
    Source->addItems(form_.SourceItems);
    Source->setEditText(form_.Source);
    Source->setGeometry(px(12), px(102), px(460), px(32));
    CDNumLabel = new QLabel("CD ID", this);
    CDNumLabel->setGeometry(px(12), px(10), px(200), px(22));
    CDNumLabel->setBuddy(CDNum);
    SourceLabel = new QLabel("Source Path", this);
    SourceLabel->setGeometry(px(12), px(78), px(200), px(22));
    SourceLabel->setBuddy(Source);
    SubDirs = new QCheckBox("Search Sub directories", this);
    SubDirs->setChecked(form_.SubDirs);
    SubDirs->setGeometry(px(12), px(146), px(300), px(28));

    BitBtn1 = new QPushButton("Start", this);
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry(px(252), px(188), px(105), px(41));
    BitBtn2 = new QPushButton("Cancel", this);
    BitBtn2->setGeometry(px(367), px(188), px(105), px(41));

    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        guarded([this] {
            form_.CDNum = CDNum->text();
            form_.Source = Source->currentText();
            form_.SubDirs = SubDirs->isChecked();
            form_.BitBtn1Click();
        });
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { guarded([this] { form_.BitBtn2Click(); }); });
    form_.OnClose = [this] { done(form_.Choice() == ImportInfoForm::StartChoice ? Accepted : Rejected); };

    QWidget *order[] = {CDNum, Source, SubDirs, BitBtn1, BitBtn2};
    for (size_t k = 0; k + 1 < std::size(order); ++k)
        setTabOrder(order[k], order[k + 1]);
    CDNum->setFocus();

    setFixedSize(px(484), px(241));
    if (where)
        move(where->geometry().center() - rect().center());
}

TImportInfo::~TImportInfo()
{
    form_.OnClose = nullptr;
}

void TImportInfo::reject()
{
    if (!form_.Closed())
        guarded([this] { form_.BitBtn2Click(); });
}
