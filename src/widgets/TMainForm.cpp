#include "widgets/TMainForm.h"

#include "app/ZemloCore.h"
#include "widgets/Pictures.h"
#include "widgets/Scale.h"
#include "widgets/THeader.h"
#include "widgets/TSplashScreen.h"
#include "widgets/TSlider.h"
#include "widgets/TSplitter.h"
#include "widgets/TTabListBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>

namespace {

QFrame *Panel(QWidget *parent, QFrame::Shadow shadow)
{
    auto *panel = new QFrame(parent);
    panel->setFrameStyle(shadow == QFrame::Plain ? QFrame::NoFrame : (QFrame::Panel | shadow));
    return panel;
}

QLabel *TotalLine(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void SetBox(QWidget *w, const Box &b)
{
    w->setGeometry(b.left, b.top, b.width, b.height);
}
} // namespace

TMainForm::TMainForm(ZemloCore &core, QWidget *parent)
    : QMainWindow(parent), core_(core), geometry_(DesignGeometry([](int v) { return Scaled(v); }))
{
    setWindowTitle(core_.catalog().caption());
    setFont(DesignFont(16));
    createControls();
    createMenus();
    wireHandlers();
    applyGeometry();
    client_->setFixedSize(Scaled(DesignClientWidth), Scaled(DesignClientHeight));
    adjustSize();
    client_->setMinimumSize(0, 0);
    client_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    qApp->installEventFilter(this);
    created_ = true;
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
}

void TMainForm::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = frameGeometry().size();
    move(area.x() + area.width() / 2 - size.width() / 2, area.y() + area.height() / 2 - size.height() / 2);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Once, when the frame around the window is known, so that the whole window is centred.
    if (!centred_) {
        centred_ = true;
        centreOnScreen();
    }
}

void TMainForm::AdjustListsToFont()
{
    sel->AdjustToFont();
    all->AdjustToFont();
}

void TMainForm::ShowSplash()
{
    TSplashScreen::ShowStartupSplash();
}

void TMainForm::guarded(const std::function<void()> &handler)
{
    core_.guard().run(handler);
}

void TMainForm::onTriggered(QAction *action, std::function<void()> handler)
{
    connect(action, &QAction::triggered, this, [this, handler] { guarded(handler); });
}

void TMainForm::onClicked(QToolButton *button, std::function<void()> handler)
{
    connect(button, &QToolButton::clicked, this, [this, handler] { guarded(handler); });
}

QToolButton *TMainForm::toolButton(QWidget *parent, int left, int top, const QIcon &icon, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setIcon(icon);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(Scaled(left), Scaled(top), Scaled(27), Scaled(25));
    b->setIconSize(QSize(Scaled(24), Scaled(21)));
    return b;
}

void TMainForm::createControls()
{
    client_ = new QWidget(this);
    setCentralWidget(client_);
    client_->installEventFilter(this);

    SetupBtn = toolButton(client_, 10, 0, SetupPicture(), "Setup");
    ClearListBtn = toolButton(client_, 44, 0, ClearListPicture(), "Clear Selections List");
    LoadListBtn = toolButton(client_, 72, 0, LoadListPicture(), "Open Selection List");
    SaveListBtn = toolButton(client_, 100, 0, SaveListPicture(), "Save Selection List");
    EditTrackBtn = toolButton(client_, 136, 0, EditTrackPicture(), "Edit Track Info");
    FindBtn = toolButton(client_, 164, 0, FindPicture(), "Search Track");

    SortBy = new QComboBox(client_);
    SortBy->addItems({"Sort by Artist", "Sort by Album & Track", "Sort by CD", "Sort by Play Time"});
    SortBy->setGeometry(Scaled(320), 0, Scaled(217), Scaled(25));

    Header1 = new THeader(client_);
    for (auto [title, width] : {std::pair{"Artist", 126}, {"Album - Track", 267}, {"Time", 73}, {"CD", 57}})
        Header1->addSection(title, Scaled(width));
    Header2 = new THeader(client_);
    for (auto [title, width] : {std::pair{"#", 49}, {"Artist - Album - Track", 236}, {"Time", 63}, {"CD", 55}})
        Header2->addSection(title, Scaled(width));

    Panel1 = Panel(client_, QFrame::Plain);
    all = new TTabListBox(Panel1);
    all->setModel(&core_.catalog().all());
    Splitter1 = new TSplitter(Panel1);
    sel = new TTabListBox(Panel1);
    sel->setModel(&core_.selection().sel());
    SetBox(Header1, geometry_.Header1);
    SetBox(Header2, geometry_.Header2);
    SetBox(all, geometry_.all);
    SetBox(sel, geometry_.sel);
    all->setHeader(Header1);
    sel->setHeader(Header2);

    AllTotal = TotalLine(client_);
    Total = TotalLine(client_);
    Total->setFont(DesignFont(16));

    PlayButtons = Panel(client_, QFrame::Plain);
    BtnPlay = toolButton(PlayButtons, 8, 3, PlayPicture(), "Play Track or Selections");
    BtnPause = toolButton(PlayButtons, 36, 3, PausePicture(), "Pause Play");
    btnStop = toolButton(PlayButtons, 64, 3, StopPicture(), "Stop Play");
    btnPrev = toolButton(PlayButtons, 92, 3, PrevPicture(), "Play Prev Track");
    btnNext = toolButton(PlayButtons, 120, 3, NextPicture(), "Play Next Track");
    // Neither slider is a tab stop; a click gives it the keys.
    Slider1 = new TSlider(PlayButtons);
    Slider1->setGeometry(Scaled(154), 0, Scaled(143), Scaled(33));
    Slider1->setFocusPolicy(Qt::ClickFocus);
    Panel2 = Panel(PlayButtons, QFrame::Sunken);
    Panel2->setGeometry(Scaled(299), Scaled(3), Scaled(70), Scaled(24));
    PlayOfs = new QLabel("00:00", Panel2);
    PlayOfs->setAlignment(Qt::AlignCenter);
    PlayOfs->setGeometry(Panel2->contentsRect());
    Panel3 = Panel(PlayButtons, QFrame::Sunken);
    Panel3->setGeometry(Scaled(375), Scaled(3), Scaled(73), Scaled(24));
    PlayLen = new QLabel("00:00", Panel3);
    PlayLen->setAlignment(Qt::AlignCenter);
    PlayLen->setGeometry(Panel3->contentsRect());
    Volume = new TSlider(PlayButtons);
    Volume->setGeometry(Scaled(456), 0, Scaled(73), Scaled(33));
    Volume->setIncrement(20);
    Volume->setFocusPolicy(Qt::ClickFocus);
    PlayingTrackName = new QLineEdit(PlayButtons);
    PlayingTrackName->setReadOnly(true);
    PlayingTrackName->setFocusPolicy(Qt::NoFocus);
    PlayingTrackName->setBackgroundRole(QPalette::Button);
    PlayingTrackName->setAutoFillBackground(true);

    const std::pair<QObject *, const char *> names[] = {
        {SetupBtn, "SetupBtn"}, {ClearListBtn, "ClearListBtn"}, {LoadListBtn, "LoadListBtn"},
        {SaveListBtn, "SaveListBtn"}, {EditTrackBtn, "EditTrackBtn"}, {FindBtn, "FindBtn"}, {SortBy, "SortBy"},
        {Header1, "Header1"}, {Header2, "Header2"}, {Panel1, "Panel1"}, {all, "all"}, {Splitter1, "Splitter1"},
        {sel, "sel"}, {AllTotal, "AllTotal"}, {Total, "Total"}, {PlayButtons, "PlayButtons"},
        {BtnPlay, "BtnPlay"}, {BtnPause, "BtnPause"}, {btnStop, "btnStop"}, {btnPrev, "btnPrev"},
        {btnNext, "btnNext"}, {Slider1, "Slider1"}, {Volume, "Volume"}, {PlayOfs, "PlayOfs"},
        {PlayLen, "PlayLen"}, {PlayingTrackName, "PlayingTrackName"}};
    for (auto [object, name] : names)
        object->setObjectName(name);
}

QAction *TMainForm::menuItem(QMenu *menu, const QString &caption, const QKeySequence &shortcut)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString(caption).remove('&'));
    a->setShortcut(shortcut);
    return a;
}

void TMainForm::createMenus()
{
    QMenu *File2 = menuBar()->addMenu("File");
    Setup1 = menuItem(File2, "&Setup", QKeySequence(Qt::ALT | Qt::Key_S));
    Exit1 = menuItem(File2, "E&xit", QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu *File1 = menuBar()->addMenu("&DataBase");
    NewDB = menuItem(File1, "&New", {});
    LoadDB = menuItem(File1, "&Open", QKeySequence(Qt::Key_F5));
    SaveAllList1 = menuItem(File1, "&Save", QKeySequence(Qt::Key_F4));
    Play1 = menuItem(File1, "&Play Track(s)", QKeySequence(Qt::Key_F9));
    QMenu *Sort = File1->addMenu("S&ort");
    byBand1 = menuItem(Sort, "Sort by &Artist", QKeySequence(Qt::CTRL | Qt::Key_F1));
    bySong1 = menuItem(Sort, "Sort by &Album && Track", QKeySequence(Qt::CTRL | Qt::Key_F2));
    byCD1 = menuItem(Sort, "Sort by &CD", QKeySequence(Qt::CTRL | Qt::Key_F3));
    byTime1 = menuItem(Sort, "Sort by Play &Time", QKeySequence(Qt::CTRL | Qt::Key_F4));
    ReversedSort = menuItem(Sort, "Reversed", QKeySequence(Qt::CTRL | Qt::Key_F10));
    for (QAction *a : {byBand1, bySong1, byCD1, byTime1, ReversedSort})
        a->setCheckable(true);
    ImportCDTracks1 = menuItem(File1, "&Import new MP3 CDs", QKeySequence(Qt::Key_F12));
    SetSize1 = menuItem(File1, "Set Tracks Si&zes && Play Time", QKeySequence(Qt::Key_F11));

    QMenu *Selection1 = menuBar()->addMenu("&Selections");
    New2 = menuItem(Selection1, "&New", {});
    Open1 = menuItem(Selection1, "&Open", QKeySequence(Qt::Key_F3));
    Save2 = menuItem(Selection1, "&Save", QKeySequence(Qt::Key_F2));
    PlayfromCD1 = menuItem(Selection1, "Play (Internal Player)", QKeySequence(Qt::ALT | Qt::Key_P));
    PlayExternal1 = menuItem(Selection1, "Play (External Player)", QKeySequence(Qt::ALT | Qt::Key_E));
    CopytoDisk1 = menuItem(Selection1, "&Copy to Disk", QKeySequence(Qt::ALT | Qt::Key_C));
    SavePlayList1 = menuItem(Selection1, "Create PlayList (&CD Paths)", {});
    savePlayListfromHD1 = menuItem(Selection1, "Create PlayList (&HD Paths)", {});

    QMenu *Help1 = menuBar()->addMenu("&Help");
    Context1 = menuItem(Help1, "&Context", QKeySequence(Qt::Key_F1));
    About1 = menuItem(Help1, "&About", {});
}

void TMainForm::wireHandlers()
{
    Catalog &catalog = core_.catalog();
    Selection &selection = core_.selection();
    CatalogSort &sorter = catalog.sorter();
    connect(&catalog, &Catalog::captionChanged, this, &QWidget::setWindowTitle);
    connect(&catalog, &Catalog::allTotalChanged, AllTotal, &QLabel::setText);
    connect(&selection, &Selection::totalChanged, this, [this](const QString &text, bool red) {
        Total->setText(text);
        QPalette p = Total->palette();
        p.setColor(QPalette::WindowText, red ? QColor(255, 0, 0) : QColor(0, 0, 0));
        Total->setPalette(p);
    });
    connect(&sorter, &CatalogSort::sortStateChanged, this, &TMainForm::showSortState);

    onTriggered(Exit1, [this] { close(); });
    onTriggered(Context1, [this] { core_.Context1Click(); });
    onTriggered(About1, [this] { TSplashScreen::ShowAbout(this); });

    CatalogCommands &commands = core_.commands();
    onTriggered(NewDB, [&commands] { commands.NewDBClick(); });
    onTriggered(LoadDB, [&commands] { commands.LoadDBClick(); });
    onTriggered(SaveAllList1, [&commands] { commands.SaveAllList1Click(); });
    onTriggered(ImportCDTracks1, [this] { core_.cdImport().ImportCDTracks1Click(); });
    onTriggered(SetSize1, [this] { core_.catalogMeasurement().SetSize1Click(); });
    onTriggered(byBand1, [this, &sorter] { sorter.SortbyBand1Click(); showSortState(); });
    onTriggered(bySong1, [this, &sorter] { sorter.SortbySong1Click(); showSortState(); });
    onTriggered(byCD1, [this, &sorter] { sorter.SortbyCD1Click(); showSortState(); });
    onTriggered(byTime1, [this, &sorter] { sorter.SortbyTime1Click(); showSortState(); });
    onTriggered(ReversedSort, [this, &sorter] { sorter.ReversedSortClick(); showSortState(); });
    connect(SortBy, qOverload<int>(&QComboBox::activated), this, [this, &sorter](int index) {
        guarded([&] { sorter.SortByChange(index); });
        showSortState();
    });

    onTriggered(New2, [&selection] { selection.New1Click(); });
    onClicked(ClearListBtn, [&selection] { selection.New1Click(); });
    SelectionFile &selectionFile = core_.selectionFile();
    onTriggered(Save2, [&selectionFile] { selectionFile.Save1Click(); });
    onClicked(SaveListBtn, [&selectionFile] { selectionFile.Save1Click(); });
    onTriggered(Open1, [&selectionFile] { selectionFile.Load1Click(); });
    onClicked(LoadListBtn, [&selectionFile] { selectionFile.Load1Click(); });
    onClicked(FindBtn, [this] { core_.search().FindBtnClick(); });
    onClicked(EditTrackBtn, [this] { core_.EditTrackBtnClick(); });
    onTriggered(Setup1, [this] { core_.setup().Setup1Click(); });
    onClicked(SetupBtn, [this] { core_.setup().Setup1Click(); });
    onTriggered(CopytoDisk1, [this] { core_.copyToDisk().CopytoDisk1Click(); });
    onTriggered(SavePlayList1, [this] { core_.playLists().CreatePlayList1Click(true); });
    onTriggered(savePlayListfromHD1, [this] { core_.playLists().savePlayListfromHD1Click(); });

    PlayerControl &player = core_.playerControl();
    onTriggered(Play1, [&player] { player.BtnPlayClick(); });
    onClicked(BtnPlay, [&player] { player.BtnPlayClick(); });
    onTriggered(PlayfromCD1, [&player] { player.PlayfromCD1Click(true); });
    onTriggered(PlayExternal1, [&player] { player.PlayExternal1Click(); });
    onClicked(BtnPause, [&player] { player.BtnPauseClick(); });
    onClicked(btnStop, [&player] { player.btnStopClick(); });
    onClicked(btnPrev, [&player] { player.btnPrevClick(); });
    onClicked(btnNext, [&player] { player.btnNextClic(); });
    Slider1->OnStopTracking = [this, &player](TSlider *s) { guarded([&] { player.Slider1StopTracking(s->Value()); }); };
    Volume->OnChange = [this, &player](TSlider *s) { guarded([&] { player.VolumeChange(s->Value()); }); };
    connect(&player, &PlayerControl::barChanged, this, &TMainForm::showPlayerBar);

    TrackEditing &editing = core_.editing();
    connect(all, &TTabListBox::rowDoubleClicked, this,
            [this, &editing, &catalog](int) { guarded([&] { editing.allDblClick(catalog.all()); }); });
    connect(sel, &TTabListBox::rowDoubleClicked, this,
            [this, &editing, &selection](int) { guarded([&] { editing.allDblClick(selection.sel()); }); });
    connect(all, &TTabListBox::keyDown, this, [this, &editing](int key, Qt::KeyboardModifiers, bool *handled) {
        guarded([&] { *handled = editing.allKeyDown(key) || *handled; });
    });
    connect(all, &TTabListBox::keyPressed, this, [this, &editing](const QString &text, bool *handled) {
        guarded([&] { *handled = (!text.isEmpty() && editing.allKeyPress(text.at(0))) || *handled; });
    });
    connect(sel, &TTabListBox::keyDown, this, [this, &selection](int key, Qt::KeyboardModifiers, bool *) {
        guarded([&] { selection.selKeyDown(key); });
    });
    connect(sel, &TTabListBox::dragOverList, this, [this, &selection](TTabListBox *source, QPoint pos, bool *accept) {
        guarded([&] { *accept = selection.selDragOver(source->model(), sel->ItemAtPos(pos, false)); });
    });
    connect(sel, &TTabListBox::dragDroppedOnList, this, [this, &selection](TTabListBox *source, QPoint pos) {
        guarded([&] { selection.selDragDrop(source->model(), sel->ItemAtPos(pos, false)); });
    });
    connect(static_cast<TSplitter *>(Splitter1), &TSplitter::moved, this, [this](int newLeft) {
        geometry_.all.width = newLeft;
        Splitter1Moved();
    });
}

void TMainForm::showSortState()
{
    const CatalogSort &sorter = core_.catalog().sorter();
    byBand1->setChecked(sorter.isChecked(SortKind::Artist));
    bySong1->setChecked(sorter.isChecked(SortKind::AlbumTrack));
    byCD1->setChecked(sorter.isChecked(SortKind::CD));
    byTime1->setChecked(sorter.isChecked(SortKind::PlayTime));
    ReversedSort->setChecked(sorter.reversed());
    SortBy->setCurrentIndex(sorter.sortByIndex());
}

void TMainForm::showPlayerBar()
{
    const PlayerBar &bar = core_.playerControl().bar();
    PlayingTrackName->setText(bar.PlayingTrackName);
    PlayOfs->setText(bar.PlayOfs);
    PlayLen->setText(bar.PlayLen);
    // The step first: a maximum below the old step would be refused.
    Slider1->setIncrement(bar.positionIncrement);
    Slider1->setMaxValue(bar.positionMax);
    // The thumb stays under the pointer while the user drags it.
    if (!Slider1->model().tracking())
        Slider1->setValue(bar.position);
    Volume->setValue(bar.volume);
}

void TMainForm::applyGeometry()
{
    SetBox(Header1, geometry_.Header1);
    SetBox(Header2, geometry_.Header2);
    SetBox(Panel1, geometry_.Panel1);
    SetBox(all, geometry_.all);
    SetBox(Splitter1, geometry_.Splitter1);
    SetBox(sel, geometry_.sel);
    SetBox(AllTotal, geometry_.AllTotal);
    SetBox(Total, geometry_.Total);
    SetBox(PlayButtons, geometry_.PlayButtons);
    SetBox(PlayingTrackName, geometry_.PlayingTrackName);
}

void TMainForm::FormResize()
{
    ::FormResize(geometry_, client_->width(), client_->height());
    applyGeometry();
}

void TMainForm::Splitter1Moved()
{
    ::Splitter1Moved(geometry_);
    applyGeometry();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    bool mayClose = false;
    guarded([&] { mayClose = core_.FormCloseQuery(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

bool TMainForm::takeSetupShortcut(QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_S || key->modifiers() != Qt::AltModifier || !Setup1->isEnabled())
        return false;
    // Accepting the override keeps Qt's shortcut map, where the two equal keys would cancel each
    // other out, from seeing the key; the press that follows opens Setup.
    if (event->type() == QEvent::ShortcutOverride)
        event->accept();
    else
        Setup1->trigger();
    return true;
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == client_ && event->type() == QEvent::Resize && created_) {
        FormResize();
    } else if (event->type() == QEvent::KeyPress && watched->isWidgetType()
               && static_cast<QWidget *>(watched)->window() == this) {
        // The window sees keys before the focused control.
        if (takeSetupShortcut(event))
            return true;
        auto *key = static_cast<QKeyEvent *>(event);
        bool used = false;
        guarded([&] { used = core_.search().FormKeyDown(key->key(), key->modifiers()); });
        if (used)
            return true;
    } else if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()
               && static_cast<QWidget *>(watched)->window() == this && takeSetupShortcut(event)) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
