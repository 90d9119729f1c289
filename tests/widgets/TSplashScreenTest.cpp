#include "support/gui/ModalDriver.h"
#include "widgets/Pictures.h"
#include "widgets/TSplashScreen.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScreen>
#include <QSet>
#include <QTest>
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

TEST(TSplashScreen, StartupSplashIsPaintedAtOnceAndItsTimerClosesAndFreesIt)
{
    QPointer<TSplashScreen> splash = TSplashScreen::ShowStartupSplash();
    ASSERT_FALSE(splash.isNull());
    EXPECT_TRUE(splash->isVisible());
    EXPECT_FALSE(splash->isModal());
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    ASSERT_NE(splash->windowHandle(), nullptr);
    EXPECT_TRUE(splash->windowHandle()->isExposed());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(splash->pos(), QPoint(screen.width() / 2 - splash->width() / 2, screen.height() / 2 - splash->height() / 2));

    auto *timer = splash->findChild<QTimer *>("Timer1");
    ASSERT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
    // What the timer does when its five seconds are up.
    QTimerEvent elapsed(timer->timerId());
    QApplication::sendEvent(timer, &elapsed);
    ProcessDeletes();
    EXPECT_TRUE(splash.isNull());
}

// Any key closes it and is claimed before a shortcut of another window can take it; a left click
// on the picture or the text closes it, but not one on the frame or a right click.
TEST(TSplashScreen, WaysToClose)
{
    struct Case { const char *name; int key; const char *target; Qt::MouseButton button; bool closes; };
    const Case cases[] = {
        {"A", Qt::Key_A, nullptr, Qt::NoButton, true},
        {"Escape", Qt::Key_Escape, nullptr, Qt::NoButton, true},
        {"Return", Qt::Key_Return, nullptr, Qt::NoButton, true},
        {"F1", Qt::Key_F1, nullptr, Qt::NoButton, true},
        {"Shift", Qt::Key_Shift, nullptr, Qt::NoButton, true},
        {"picture", 0, "Image1", Qt::LeftButton, true},
        {"text", 0, "Memo1", Qt::LeftButton, true},
        {"frame", 0, "Panel1", Qt::LeftButton, false},
        {"right click", 0, "Image1", Qt::RightButton, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QPointer<TSplashScreen> splash = TSplashScreen::ShowStartupSplash();
        if (c.key) {
            for (QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress}) {
                QKeyEvent event(type, c.key, Qt::NoModifier);
                event.ignore();
                QApplication::sendEvent(splash, &event);
                EXPECT_TRUE(event.isAccepted()) << type;
            }
        } else {
            auto *target = splash->findChild<QWidget *>(c.target);
            ASSERT_NE(target, nullptr);
            if (auto *memo = qobject_cast<QTextEdit *>(target))
                target = memo->viewport();
            QTest::mouseClick(target, c.button);
        }
        ProcessDeletes();
        EXPECT_EQ(splash.isNull(), c.closes);
        delete splash;
    }
}

TEST(TSplashScreen, AboutIsModalWithoutTimerAndClosesOnAKey)
{
    bool modal = false, timerOn = true;
    WhenShown<TSplashScreen> answer([&](TSplashScreen *about) {
        modal = about->isModal();
        timerOn = about->findChild<QTimer *>("Timer1")->isActive();
        PressKey(Qt::Key_X);
    });
    TSplashScreen::ShowAbout();
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
            count += qAlpha(image.pixel(x, y)) > 0;
    return count;
}

TEST(Pictures, EveryButtonHasAVisibleDistinctPicture)
{
    struct Case { const char *name; QIcon (*picture)(); };
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
    EXPECT_FALSE(image.hasAlphaChannel());
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 100);
}

} // namespace
