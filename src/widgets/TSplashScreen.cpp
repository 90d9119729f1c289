#include "widgets/TSplashScreen.h"

#include "widgets/Pictures.h"
#include "widgets/Scale.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QWindow>

namespace {
QRect ScaledRect(int left, int top, int width, int height, const QScreen *screen)
{
    return QRect(Scaled(left, screen), Scaled(top, screen), Scaled(width, screen), Scaled(height, screen));
}
} // namespace

TSplashScreen::TSplashScreen(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    setObjectName(QStringLiteral("SplashScreen"));
    setWindowTitle(QStringLiteral(" "));
    setFont(DesignFont(16, screen));
    setFixedSize(Scaled(407, screen), Scaled(405, screen));
    if (screen) {
        const QRect area = screen->geometry();
        move(area.left() + area.width() / 2 - width() / 2, area.top() + area.height() / 2 - height() / 2);
    }
    // Keys come to the window itself: no child takes the focus.
    setFocusPolicy(Qt::StrongFocus);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(2);
    Panel2->setGeometry(rect());

    Panel1 = new QFrame(Panel2);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(ScaledRect(7, 7, 393, 305, screen));

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(ScaledRect(8, 10, 377, 285, screen));
    Image1->setScaledContents(true);
    Image1->setPixmap(SplashPicture());
    Image1->installEventFilter(this);

    Memo1 = new QTextEdit(Panel2);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(ScaledRect(9, 313, 385, 73, screen));
    Memo1->setReadOnly(true);
    Memo1->setFrameStyle(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setTextInteractionFlags(Qt::NoTextInteraction);
    Memo1->setContextMenuPolicy(Qt::NoContextMenu);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette memoColours = Memo1->palette();
    memoColours.setColor(QPalette::Base, memoColours.color(QPalette::Button));
    Memo1->setPalette(memoColours);
    Memo1->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    Memo1->viewport()->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(5000);
    connect(Timer1, &QTimer::timeout, this, &TSplashScreen::Timer1Timer);

    FormCreate();
}

void TSplashScreen::FormCreate()
{
    Memo1->clear();
    for (const char *line : {"ZEMLO v0.22", "A catalog and jukebox for your MP3 CDs", "Built with Qt and libmpg123"})
        Memo1->append(QString::fromLatin1(line));
}

QPointer<TSplashScreen> TSplashScreen::ShowStartupSplash(QWidget *parent)
{
    auto *splash = new TSplashScreen(parent);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->Timer1->start();
    splash->show();
    splash->PaintNow();
    return splash;
}

void TSplashScreen::ShowAbout(QWidget *parent)
{
    TSplashScreen about(parent);
    about.exec();
}

void TSplashScreen::PaintNow()
{
    // The program reads the catalog right after this, without returning to the event loop, so
    // wait (briefly) until the window system has mapped the window and paint it ourselves.
    QElapsedTimer waited;
    waited.start();
    const QWindow *window = windowHandle();
    while (window && !window->isExposed() && waited.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    repaint();
}

bool TSplashScreen::event(QEvent *event)
{
    // Claim every key before shortcuts see it, so that no key pressed on the splash runs a
    // command of another window.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

void TSplashScreen::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    close();
}

bool TSplashScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (mouse->button() == Qt::LeftButton && widget && widget->rect().contains(mouse->position().toPoint())) {
            Image1Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSplashScreen::Image1Click()
{
    close();
}

void TSplashScreen::Timer1Timer()
{
    Timer1->stop();
    close();
}
