#include "app/ui/TSelDir.h"

#include "widgets/Scale.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <utility>

TSelDir::TSelDir(SelDirForm &form, const HandlerGuard &guard, QWidget *parent)
    : FormView(guard, parent), form_(form)
{
    const QScreen *where = screen();
    auto px = [where](int design) { return Scaled(design, where); };
    setWindowTitle(SelDirForm::Caption);
    setFont(DesignFont(16, where));

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setGeometry(px(12), px(12), px(436), px(32));
    DriveComboBox1->addItems(form_.Drives());
    PathEdit = new QLineEdit(this);
    PathEdit->setGeometry(px(12), px(54), px(436), px(32));
    Dirs = new QTreeView(this);
    Dirs->setGeometry(px(12), px(96), px(436), px(330));
    Dirs->setHeaderHidden(true);
    tree_ = new QFileSystemModel(this);
    tree_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    // The tree is read and sorted in the background: once directories above the current one
    // have come in and been sorted, the current one is scrolled into view again.
    connect(tree_, &QFileSystemModel::rowsInserted, this, [this](const QModelIndex &above) {
        guarded([this, above] {
            if (form_.DriveReady() && form_.Dirs().startsWith(tree_->filePath(above)))
                followCurrentDirectory_ = true;
        });
    });
    connect(tree_, &QFileSystemModel::layoutChanged, this, [this] {
        if (std::exchange(followCurrentDirectory_, false))
            Dirs->scrollTo(Dirs->currentIndex());
    }, Qt::QueuedConnection);
    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setGeometry(px(228), px(438), px(105), px(41));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton("Cancel", this);
    BitBtn2->setGeometry(px(343), px(438), px(105), px(41));

    connect(DriveComboBox1, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        guarded([this, index] {
            form_.DriveComboBox1Change(index);
            showState();
        });
    });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded([this] { form_.BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { guarded([this] { form_.BitBtn2Click(); }); });
    form_.OnClose = [this] { done(form_.Choice() == mrOk ? Accepted : Rejected); };
    showState();

    setTabOrder(PathEdit, Dirs);
    setTabOrder(Dirs, DriveComboBox1);
    setTabOrder(DriveComboBox1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    PathEdit->setFocus();
    PathEdit->selectAll();

    setFixedSize(px(460), px(491));
    if (where)
        move(where->geometry().center() - rect().center());
}

TSelDir::~TSelDir()
{
    form_.OnClose = nullptr;
}

void TSelDir::showState()
{
    DriveComboBox1->setCurrentIndex(form_.DriveIndex());
    PathEdit->setText(form_.GetChosenPath());
    if (!form_.DriveReady()) {
        Dirs->setModel(nullptr);
        return;
    }
    const QString root = form_.Drives().at(form_.DriveIndex());
    if (Dirs->model() != tree_) {
        Dirs->setModel(tree_);
        for (int column = 1; column < tree_->columnCount(); ++column)
            Dirs->hideColumn(column);
        connect(Dirs->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &index) {
            if (!index.isValid())
                return;
            guarded([this, index] {
                form_.DirsChange(tree_->filePath(index));
                PathEdit->setText(form_.GetChosenPath());
            });
        });
    }
    tree_->setRootPath(root);
    Dirs->setRootIndex(tree_->index(root));
    const QModelIndex current = tree_->index(form_.Dirs());
    Dirs->setCurrentIndex(current);
    Dirs->scrollTo(current);
}

void TSelDir::pathTyped()
{
    const QString typed = PathEdit->text();
    if (QDir::cleanPath(typed) == form_.GetChosenPath()) {
        form_.BitBtn1Click();
        return;
    }
    if (form_.GoToPath(typed))
        showState();
    else
        PathEdit->selectAll();
}

void TSelDir::keyPressEvent(QKeyEvent *event)
{
    // Return in the path edit moves the tree; a typing error never closes the dialog.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == PathEdit) {
        guarded([this] { pathTyped(); });
        return;
    }
    QDialog::keyPressEvent(event);
}
