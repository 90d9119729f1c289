#pragma once
// The main window: controls, menus and their wiring to the core's handlers, and the layout
// rules for resizing and the splitter. The logic of every command lives in the core.

#include "app/Config.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogCommands.h"
#include "catalog/CatalogSearch.h"
#include "catalog/CatalogSort.h"
#include "catalog/TrackEditing.h"
#include "player/TMPEGPlayer.h"
#include "selection/Selection.h"
#include "widgets/MainLayout.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QSlider;
class QToolButton;
class Dialogs;
class THeader;
class TTabListBox;
class TSplashScreen;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Dialogs &dialogs, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The start-up steps of the window, in their order; arguments: the command line.
    void FormCreate(const QStringList &arguments);

    Catalog &catalog() { return catalog_; }
    Selection &selection() { return selection_; }
    CatalogSort &sorter() { return catalog_.sorter(); }
    TTabListBox *allList() const { return all; }
    TTabListBox *selList() const { return sel; }
    const Config &config() const { return config_; }
    TMPEGPlayer &player() { return mp3player; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void wireHandlers();
    QToolButton *toolButton(QWidget *parent, int left, int top, const QIcon &icon, const QString &hint);
    QAction *menuItem(QMenu *menu, const QString &caption, const QKeySequence &shortcut);
    void applyGeometry();
    void FormResize();
    void Splitter1Moved();
    void FormDestroy();
    void showSortState();
    void Exit1Click();
    void Context1Click();
    void About1Click();

    Dialogs &dialogs_;
    Config config_;
    Catalog catalog_;
    Selection selection_;
    CatalogSearch search_;
    TrackEditing editing_;
    CatalogCommands commands_;
    TMPEGPlayer mp3player;
    MainGeometry geometry_;
    bool created_ = false;

    QWidget *client_;
    QToolButton *SetupBtn, *ClearListBtn, *LoadListBtn, *SaveListBtn, *EditTrackBtn, *FindBtn;
    QComboBox *SortBy;
    THeader *Header1, *Header2;
    QFrame *Panel1;
    TTabListBox *all, *sel;
    QWidget *Splitter1;
    QLabel *AllTotal, *Total;
    QFrame *PlayButtons;
    QToolButton *BtnPlay, *BtnPause, *btnStop, *btnPrev, *btnNext;
    QSlider *Slider1, *Volume;
    QFrame *Panel2, *Panel3;
    QLabel *PlayOfs, *PlayLen;
    QLineEdit *PlayingTrackName;

    QAction *Setup1, *Exit1;
    QAction *NewDB, *LoadDB, *SaveAllList1, *Play1, *ImportCDTracks1, *SetSize1;
    QAction *byBand1, *bySong1, *byCD1, *byTime1, *ReversedSort;
    QAction *New2, *Open1, *Save2, *PlayfromCD1, *PlayExternal1, *CopytoDisk1, *SavePlayList1,
        *savePlayListfromHD1;
    QAction *Context1, *About1;
};
