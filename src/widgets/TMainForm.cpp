#include "widgets/TMainForm.h"

#include "app/Dialogs.h"
#include "app/Startup.h"
#include "widgets/Pictures.h"
#include "widgets/Scale.h"
#include "widgets/THeader.h"
#include "widgets/TSplashScreen.h"
#include "widgets/TSplitter.h"
#include "widgets/TTabListBox.h"
#include "widgets/ZemloApplication.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSlider>
#include <QToolButton>
#include <exception>

namespace {
const char *const BaseCaption = "ZEMLO";
const char *const HelpText =
    "No way I'm gona write HELP for this application. If you're ready to make one.. you're welcomed !";

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

TMainForm::TMainForm(Dialogs &dialogs, QWidget *parent)
    : QMainWindow(parent), dialogs_(dialogs), catalog_(dialogs, ProgramDir(), BaseCaption),
      selection_(catalog_.all, dialogs),
      search_(catalog_.all, dialogs), editing_(catalog_, selection_), commands_(catalog_, selection_),
      geometry_(DesignGeometry([](int v) { return Scaled(v); }))
{
    setWindowTitle(catalog_.caption());
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
    FormDestroy();
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
    all->setModel(&catalog_.all);
    Splitter1 = new TSplitter(Panel1);
    sel = new TTabListBox(Panel1);
    sel->setModel(&selection_.sel);
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
    Slider1 = new QSlider(Qt::Horizontal, PlayButtons);
    Slider1->setGeometry(Scaled(154), 0, Scaled(143), Scaled(33));
    Slider1->setRange(0, 100);
    Slider1->setFocusPolicy(Qt::NoFocus);
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
    Volume = new QSlider(Qt::Horizontal, PlayButtons);
    Volume->setGeometry(Scaled(456), 0, Scaled(73), Scaled(33));
    Volume->setRange(0, 100);
    Volume->setFocusPolicy(Qt::NoFocus);
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

    // The player bar, Setup and the selection list file come with their own commands.
    for (QWidget *w : std::initializer_list<QWidget *>{SetupBtn, LoadListBtn, SaveListBtn, BtnPlay, BtnPause,
                                                       btnStop, btnPrev, btnNext, Slider1, Volume})
        w->setEnabled(false);
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

    for (QAction *a : {Setup1, Play1, ImportCDTracks1, SetSize1, Open1, Save2, PlayfromCD1, PlayExternal1,
                       CopytoDisk1, SavePlayList1, savePlayListfromHD1})
        a->setEnabled(false);
}

void TMainForm::wireHandlers()
{
    connect(&catalog_, &Catalog::captionChanged, this, &QWidget::setWindowTitle);
    connect(&catalog_, &Catalog::allTotalChanged, AllTotal, &QLabel::setText);
    connect(&selection_, &Selection::totalChanged, this, [this](const QString &text, bool red) {
        Total->setText(text);
        QPalette p = Total->palette();
        p.setColor(QPalette::WindowText, red ? QColor(255, 0, 0) : QColor(0, 0, 0));
        Total->setPalette(p);
    });
    connect(&catalog_.sorter(), &CatalogSort::sortStateChanged, this, &TMainForm::showSortState);

    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(Context1, &QAction::triggered, this, &TMainForm::Context1Click);
    connect(About1, &QAction::triggered, this, &TMainForm::About1Click);

    connect(NewDB, &QAction::triggered, this, [this] { commands_.NewDBClick(); });
    connect(LoadDB, &QAction::triggered, this, [this] { commands_.LoadDBClick(); });
    connect(SaveAllList1, &QAction::triggered, this, [this] { commands_.SaveAllList1Click(); });
    connect(byBand1, &QAction::triggered, this, [this] { catalog_.sorter().SortbyBand1Click(); showSortState(); });
    connect(bySong1, &QAction::triggered, this, [this] { catalog_.sorter().SortbySong1Click(); showSortState(); });
    connect(byCD1, &QAction::triggered, this, [this] { catalog_.sorter().SortbyCD1Click(); showSortState(); });
    connect(byTime1, &QAction::triggered, this, [this] { catalog_.sorter().SortbyTime1Click(); showSortState(); });
    connect(ReversedSort, &QAction::triggered, this, [this] { catalog_.sorter().ReversedSortClick(); showSortState(); });
    connect(SortBy, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        catalog_.sorter().SortByChange(index);
        showSortState();
    });

    connect(New2, &QAction::triggered, this, [this] { selection_.New1Click(); });
    connect(ClearListBtn, &QToolButton::clicked, this, [this] { selection_.New1Click(); });
    connect(FindBtn, &QToolButton::clicked, this, [this] { search_.FindBtnClick(); });
    connect(EditTrackBtn, &QToolButton::clicked, this, [this] {
        const QWidget *focused = QApplication::focusWidget();
        editing_.EditTrackBtnClick(focused == all ? &catalog_.all : focused == sel ? &selection_.sel : nullptr);
    });

    connect(all, &TTabListBox::rowDoubleClicked, this, [this](int) { editing_.allDblClick(catalog_.all); });
    connect(sel, &TTabListBox::rowDoubleClicked, this, [this](int) { editing_.allDblClick(selection_.sel); });
    connect(all, &TTabListBox::keyDown, this, [this](int key, Qt::KeyboardModifiers, bool *handled) {
        if (editing_.allKeyDown(key))
            *handled = true;
    });
    connect(all, &TTabListBox::keyPressed, this, [this](const QString &text, bool *handled) {
        if (!text.isEmpty() && editing_.allKeyPress(text.at(0)))
            *handled = true;
    });
    connect(sel, &TTabListBox::keyDown, this, [this](int key, Qt::KeyboardModifiers, bool *) {
        selection_.selKeyDown(key);
    });
    connect(sel, &TTabListBox::dragOverList, this, [this](TTabListBox *source, QPoint pos, bool *accept) {
        *accept = selection_.selDragOver(source->model(), sel->ItemAtPos(pos, false));
    });
    connect(sel, &TTabListBox::dragDroppedOnList, this, [this](TTabListBox *source, QPoint pos) {
        selection_.selDragDrop(source->model(), sel->ItemAtPos(pos, false));
    });
    connect(static_cast<TSplitter *>(Splitter1), &TSplitter::moved, this, [this](int newLeft) {
        geometry_.all.width = newLeft;
        Splitter1Moved();
    });
}

void TMainForm::showSortState()
{
    byBand1->setChecked(catalog_.sorter().isChecked(SortKind::Artist));
    bySong1->setChecked(catalog_.sorter().isChecked(SortKind::AlbumTrack));
    byCD1->setChecked(catalog_.sorter().isChecked(SortKind::CD));
    byTime1->setChecked(catalog_.sorter().isChecked(SortKind::PlayTime));
    ReversedSort->setChecked(catalog_.sorter().reversed());
    SortBy->setCurrentIndex(catalog_.sorter().sortByIndex());
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

void TMainForm::FormCreate(const QStringList &arguments)
{
    try {
        for (ShortStr &path : config_.CDPaths)
            path = ShortStr();
        mp3player.InitLibrary();
        sel->AdjustToFont();
        all->AdjustToFont();
        selection_.SelModified = false;
        SortBy->setCurrentIndex(0);
        ShortStr list;
        if (!ReadConfig(IniFileName(), config_, list))
            dialogs_.ShowError("ZEMLO.INI not found !");
        catalog_.DBFileName = CatalogNameAtStart(list, arguments, ProgramDir());
        selection_.New1Click();
    } catch (const std::exception &e) {
        ZemloApplication::ShowException(QString::fromUtf8(e.what()));
    }
}

void TMainForm::FormDestroy()
{
    if (mp3player.LibraryLoaded())
        mp3player.DoneLibrary();
    selection_.ClearSelection();
    catalog_.ClearCatalog();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (commands_.FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == client_ && event->type() == QEvent::Resize && created_) {
        FormResize();
    } else if (event->type() == QEvent::KeyPress && watched->isWidgetType()
               && static_cast<QWidget *>(watched)->window() == this) {
        // The window sees keys before the focused control.
        auto *key = static_cast<QKeyEvent *>(event);
        if (search_.FormKeyDown(key->key(), key->modifiers()))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::Context1Click()
{
    dialogs_.ShowInformation(HelpText);
}

void TMainForm::About1Click()
{
    TSplashScreen::ShowAbout(this);
}
