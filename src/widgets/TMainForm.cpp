#include "widgets/TMainForm.h"

#include "catalog/Catalog.h"

#include <QAbstractListModel>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

namespace {
// Shows the rows of a song list, built on demand from their records.
class SongListItemModel : public QAbstractListModel {
public:
    SongListItemModel(SongList &list, QObject *parent) : QAbstractListModel(parent), list_(list)
    {
        connect(&list_, &SongList::rowsChanged, this, [this] { beginResetModel(); endResetModel(); });
    }
    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : list_.count(); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return list_.rowText(index.row()).toQString().replace('\t', "    ");
    }

private:
    SongList &list_;
};
} // namespace

TMainForm::TMainForm(Catalog &catalog, QWidget *parent) : QMainWindow(parent), catalog_(catalog)
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    all_ = new QListView(central);
    all_->setUniformItemSizes(true);
    all_->setModel(new SongListItemModel(catalog_.all, all_));
    AllTotal = new QLabel(central);
    AllTotal->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout->addWidget(all_);
    layout->addWidget(AllTotal);
    setCentralWidget(central);
    resize(949, 512);

    setWindowTitle(catalog_.caption());
    connect(&catalog_, &Catalog::captionChanged, this, &QWidget::setWindowTitle);
    connect(&catalog_, &Catalog::allTotalChanged, AllTotal, &QLabel::setText);
}
