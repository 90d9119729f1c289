#pragma once
// The main window: controls, menus and their wiring to the core's handlers, and the layout
// rules for resizing and the splitter. The logic of every command lives in the core.

#include "app/StartupView.h"
#include "widgets/MainLayout.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class THeader;
class TSlider;
class TTabListBox;
class ZemloCore;

class TMainForm : public QMainWindow, public StartupView {
    Q_OBJECT
public:
    // The window lays out and wires; the program it shows is the core's.
    explicit TMainForm(ZemloCore &core, QWidget *parent = nullptr);
    ~TMainForm() override;

    ZemloCore &core() { return core_; }
    TTabListBox *allList() const { return all; }
    TTabListBox *selList() const { return sel; }

    void AdjustListsToFont() override;
    void ShowSplash() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void wireHandlers();
    QToolButton *toolButton(QWidget *parent, int left, int top, const QIcon &icon, const QString &hint);
    QAction *menuItem(QMenu *menu, const QString &caption, const QKeySequence &shortcut);
    // Connects a command to its handler, run inside the core's guard.
    void onTriggered(QAction *action, std::function<void()> handler);
    void onClicked(QToolButton *button, std::function<void()> handler);
    void guarded(const std::function<void()> &handler);
    void applyGeometry();
    void centreOnScreen();
    void FormResize();
    void Splitter1Moved();
    void showSortState();
    void showPlayerBar();
    // Alt+S belongs to "&Setup" before the mnemonic of "&Selections", as in the classic toolkit.
    bool takeSetupShortcut(QEvent *event);

    ZemloCore &core_;
    MainGeometry geometry_;
    bool created_ = false;
    bool centred_ = false;

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
    TSlider *Slider1, *Volume;
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
