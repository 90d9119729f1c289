#include "widgets/Pictures.h"
#include "widgets/Scale.h"
#include "widgets/TSplashScreen.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSet>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// Lets a splash that closed itself be freed.
void ProcessDeletes()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Click(QWidget *widget, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF centre = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

TEST(TSplashScreen, Contents)
{
    TSplashScreen splash;
    EXPECT_EQ(splash.windowTitle(), " ");
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.size(), QSize(Scaled(407), Scaled(405)));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(splash.pos(), QPoint(screen.width() / 2 - splash.width() / 2, screen.height() / 2 - splash.height() / 2));

    const auto *memo = splash.findChild<QTextEdit *>("Memo1");
    ASSERT_NE(memo, nullptr);
    const QStringList lines = memo->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "ZEMLO v0.22");
    EXPECT_TRUE(memo->isReadOnly());

    const auto *image = splash.findChild<QLabel *>("Image1");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixmap().size(), QSize(SplashPictureWidth, SplashPictureHeight));
    EXPECT_TRUE(image->hasScaledContents());
    EXPECT_EQ(image->size(), QSize(Scaled(377), Scaled(285)));

    const auto *timer = splash.findChild<QTimer *>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_FALSE(timer->isActive());
}

TEST(TSplashScreen, StartupSplashIsPaintedAtOnceWithItsTimerOn)
{
    QPointer<TSplashScreen> splash = TSplashScreen::ShowStartupSplash();
    ASSERT_FALSE(splash.isNull());
    EXPECT_TRUE(splash->isVisible());
    EXPECT_FALSE(splash->isModal());
    ASSERT_NE(splash->windowHandle(), nullptr);
    EXPECT_TRUE(splash->windowHandle()->isExposed());
    const auto *timer = splash->findChild<QTimer *>("Timer1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
    delete splash;
}

TEST(TSplashScreen, TimerClosesAndFreesTheStartupSplash)
{
    QPointer<TSplashScreen> splash = TSplashScreen::ShowStartupSplash();
    auto *timer = splash->findChild<QTimer *>("Timer1");
    ASSERT_TRUE(timer->isActive());
    // What the timer does when its five seconds are up.
    QTimerEvent elapsed(timer->timerId());
    QApplication::sendEvent(timer, &elapsed);
    ProcessDeletes();
    EXPECT_TRUE(splash.isNull());
}

TEST(TSplashScreen, AnyKeyClosesItAndIsSwallowed)
{
    const int keys[] = {Qt::Key_A, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_F1, Qt::Key_Shift};
    for (int key : keys) {
        SCOPED_TRACE(key);
        QPointer<TSplashScreen> splash = TSplashScreen::ShowStartupSplash();
        // Claimed before any shortcut of another window can take it.
        QKeyEvent shortcut(QEvent::ShortcutOverride, key, Qt::NoModifier);
        shortcut.ignore();
        QApplication::sendEvent(splash, &shortcut);
        EXPECT_TRUE(shortcut.isAccepted());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        press.ignore();
        QApplication::sendEvent(splash, &press);
        EXPECT_TRUE(press.isAccepted());
        ProcessDeletes();
        EXPECT_TRUE(splash.isNull());
    }
}

TEST(TSplashScreen, ClickOnThePictureOrTheTextClosesIt)
{
    struct Case {
        const char *name;
        Qt::MouseButton button;
        bool closes;
    };
    const Case cases[] = {
        {"Image1", Qt::LeftButton, true},
        {"Memo1", Qt::LeftButton, true},
        {"Panel1", Qt::LeftButton, false},  // the frame around the picture is not part of it
        {"Image1", Qt::RightButton, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QPointer<TSplashScreen> splash = TSplashScreen::ShowStartupSplash();
        auto *target = splash->findChild<QWidget *>(c.name);
        ASSERT_NE(target, nullptr);
        if (auto *memo = qobject_cast<QTextEdit *>(target))
            target = memo->viewport();
        Click(target, c.button);
        ProcessDeletes();
        EXPECT_EQ(splash.isNull(), c.closes);
        delete splash;
    }
}

TEST(TSplashScreen, AboutIsModalWithoutTimerAndClosesOnAKey)
{
    bool modal = false;
    bool timerOn = true;
    bool answered = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *about = qobject_cast<TSplashScreen *>(QApplication::activeModalWidget());
        if (!about || !about->isVisible())
            return;
        poll.stop();
        modal = about->isModal();
        timerOn = about->findChild<QTimer *>("Timer1")->isActive();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier);
        QApplication::sendEvent(about, &press);
        answered = true;
    });
    poll.start();
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            box->done(0);
    });
    watchdog.start(5000);

    TSplashScreen::ShowAbout();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(modal);
    EXPECT_FALSE(timerOn);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    for (QWidget *window : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TSplashScreen *>(window), nullptr) << "the About box was not freed";
}

int VisiblePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                ++count;
    return count;
}

TEST(Pictures, EveryButtonHasAVisibleDistinctPicture)
{
    struct Case {
        const char *name;
        QIcon (*picture)();
    };
    const Case cases[] = {
        {"Setup", SetupPicture},   {"ClearList", ClearListPicture}, {"LoadList", LoadListPicture},
        {"SaveList", SaveListPicture}, {"EditTrack", EditTrackPicture}, {"Find", FindPicture},
        {"Play", PlayPicture},     {"Pause", PausePicture},         {"Stop", StopPicture},
        {"Prev", PrevPicture},     {"Next", NextPicture},
    };
    QSet<QByteArray> seen;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QIcon icon = c.picture();
        ASSERT_FALSE(icon.isNull());
        for (int size : {16, 24, 48}) {
            const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(image.isNull());
            EXPECT_LE(image.width(), size);
            // Something is drawn, and not just a filled square.
            const int visible = VisiblePixels(image);
            EXPECT_GT(visible, image.width() * image.height() / 10) << "at " << size;
            EXPECT_LT(visible, image.width() * image.height()) << "at " << size;
        }
        const QImage image = icon.pixmap(24).toImage().convertToFormat(QImage::Format_ARGB32);
        const QByteArray bytes(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(seen.contains(bytes)) << "the same picture as another button";
        seen.insert(bytes);
    }
}

TEST(Pictures, SplashPictureIsAnOpaqueColourPicture)
{
    const QImage image = SplashPicture().toImage();
    EXPECT_EQ(image.size(), QSize(SplashPictureWidth, SplashPictureHeight));
    EXPECT_FALSE(image.hasAlphaChannel());
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 100);
}

} // namespace
