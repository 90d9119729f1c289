#include "widgets/Scale.h"
#include "widgets/SliderImages.h"
#include "widgets/TSlider.h"
#include "widgets/TSliderThumb.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <vector>

namespace {
// The main window's position slider, shown, with a record of its events.
struct Fixture {
    Fixture()
    {
        slider.resize(Scaled(143), Scaled(33));
        slider.OnChange = [this](TSlider *sender) { changes.push_back(sender->Value()); };
        slider.OnStopTracking = [this](TSlider *sender) { stops.push_back(sender->Value()); };
        slider.show();
        slider.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&slider));
    }
    void sendToThumb(QEvent::Type type, QPoint inThumb, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        TSliderThumb *thumb = slider.Thumb();
        QMouseEvent event(type, inThumb, thumb->mapToGlobal(inThumb), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(thumb, &event);
    }
    TSlider slider;
    std::vector<int> changes, stops;
};
} // namespace

TEST(TSlider, ImagesScaleWithTheScreenOrComeFromTheUser)
{
    Fixture f;
    TSliderThumb *thumb = f.slider.Thumb();
    EXPECT_EQ(thumb->size(), QSize(Scaled(9), Scaled(17)));
    EXPECT_EQ(thumb->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(f.slider.Image(ImageVRuler).size(), QSize(Scaled(8), Scaled(10)));
    EXPECT_EQ(f.slider.model().rulerSize(), QSize(Scaled(143) - 2 * Scaled(6), Scaled(10)));

    QPixmap image(20, 12);
    image.fill(Qt::blue);
    f.slider.setImage(ImageHThumb, image);
    EXPECT_TRUE(f.slider.isUserImage(ImageHThumb));
    EXPECT_EQ(thumb->size(), QSize(10, 12));
    f.slider.setNumThumbStates(1);
    EXPECT_EQ(thumb->size(), QSize(20, 12));
    f.slider.setImage(ImageHThumb, QPixmap());
    EXPECT_FALSE(f.slider.isUserImage(ImageHThumb));
    EXPECT_EQ(thumb->size(), QSize(2 * Scaled(9), Scaled(17)));
    f.slider.setOrientation(TSliderOrientation::soVertical);
    EXPECT_EQ(f.slider.size(), QSize(Scaled(143), Scaled(33)));
    EXPECT_EQ(thumb->size(), QSize(2 * Scaled(17), Scaled(9)));

    // Too small for a ruler: nothing to stretch, yet it paints and the value has a position.
    f.slider.resize(4, 4);
    f.slider.setValue(60);
    EXPECT_EQ(f.slider.model().rulerSize().height(), 0);
    EXPECT_FALSE(f.slider.grab().isNull());
    EXPECT_EQ(f.slider.model().positionOf(60), f.slider.model().positionOf(100));
}

TEST(TSlider, KeysStepTheValueAndReportEachChangeOnce)
{
    Fixture f;
    f.slider.setValue(37);
    f.changes.clear();
    for (auto [key, modifiers] : {std::pair{Qt::Key_Right, Qt::NoModifier}, {Qt::Key_Left, Qt::NoModifier},
                                  {Qt::Key_Left, Qt::ShiftModifier}, {Qt::Key_End, Qt::NoModifier},
                                  {Qt::Key_End, Qt::NoModifier}, {Qt::Key_Home, Qt::NoModifier}})
        QTest::keyClick(&f.slider, key, modifiers);
    EXPECT_EQ(f.changes, (std::vector<int>{40, 30, 100, 0}));
    EXPECT_EQ(f.slider.Thumb()->pos(), f.slider.model().thumbPos());
}

TEST(TSlider, HeldRulerPressStepsEvery400Milliseconds)
{
    Fixture f;
    // The repeat timer's clock is the test's: a tick is one interval gone by.
    QTimer *clock = f.slider.findChild<QTimer *>();
    ASSERT_NE(clock, nullptr);
    const auto tick = [clock] {
        QTimerEvent elapsed(clock->timerId());
        if (clock->isActive())
            QApplication::sendEvent(clock, &elapsed);
    };
    // The press takes the focus itself.
    f.slider.setFocusPolicy(Qt::NoFocus);
    f.slider.clearFocus();
    const int rulerY = f.slider.model().rulerOrigin().y() + 1;
    const QPoint right(f.slider.width() - Scaled(6) - 1, rulerY);
    QTest::mousePress(&f.slider, Qt::LeftButton, Qt::NoModifier, right);
    EXPECT_TRUE(f.slider.hasFocus());
    EXPECT_EQ(clock->interval(), 400);
    tick();
    tick();
    QTest::mouseRelease(&f.slider, Qt::LeftButton, Qt::NoModifier, right);
    tick();
    // Losing the focus while held (a window opened) stops the stepping as well.
    QTest::mousePress(&f.slider, Qt::LeftButton, Qt::NoModifier, right);
    f.slider.clearFocus();
    tick();
    QTest::mouseRelease(&f.slider, Qt::LeftButton, Qt::NoModifier, right);
    // Through the window, as the platform delivers it: the second press of a double click
    // makes no step.
    QTest::mouseDClick(f.slider.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(1, rulerY));
    tick();
    EXPECT_EQ(f.changes, (std::vector<int>{10, 20, 30, 40, 30}));
    EXPECT_EQ(f.slider.Thumb()->pos(), f.slider.model().thumbPos());
}

TEST(TSlider, DragEndsWithOneStopTracking)
{
    Fixture f;
    TSliderThumb *thumb = f.slider.Thumb();
    const QPoint grab(1, 2);
    f.sendToThumb(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(thumb->Down());
    // The pointer moves right by half the track, then past the far end and back a little.
    const int track = f.slider.model().trackLength();
    for (int dx : {track / 2, 5 * track, -track / 4})
        f.sendToThumb(QEvent::MouseMove, grab + QPoint(dx, 0), Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(f.changes.size(), 3u);
    EXPECT_EQ(f.changes[1], 100);
    EXPECT_TRUE(f.stops.empty());
    for (int release = 0; release < 2; ++release)
        f.sendToThumb(QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(thumb->Down());
    EXPECT_EQ(f.stops, std::vector<int>{f.changes.back()});
    EXPECT_LT(f.slider.Value(), 100);
    EXPECT_EQ(thumb->pos(), f.slider.model().thumbPos());
}

TEST(TSlider, PaintsMarksAndFocusFrameHidingOlive)
{
    Fixture f;
    f.slider.clearFocus();
    QImage image = f.slider.grab().toImage();
    const QRgb ink = f.slider.palette().color(QPalette::WindowText).rgb();
    const SliderMetrics &metrics = f.slider.model().metrics();
    const auto marks = f.slider.model().marks(10, metrics.markHeight, metrics.extremeMarkHeight);
    EXPECT_EQ(image.pixel(marks.at(5).topLeft()), ink);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_NE(QColor(image.pixel(x, y)), SliderTransparentColor) << x << "," << y;

    // A handler of its own replaces the built-in marks.
    f.slider.OnDrawPoints = [](TSlider *sender) {
        sender->Canvas()->setBrush(Qt::red);
        sender->DrawPoints(50, 2, 2);
    };
    image = f.slider.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(marks[5].topLeft())), QColor(Qt::red));
    EXPECT_NE(image.pixel(marks[4].topLeft()), ink);

    // A dotted focus frame.
    const int inset = metrics.focusInset;
    struct Case { bool focused; TSliderOptions options; bool shown; };
    const Case cases[] = {{true, soShowFocus | soShowPoints, true}, {false, soShowFocus | soShowPoints, false},
                          {true, soShowPoints, false}, {true, soShowFocus, true}};
    for (const Case &c : cases) {
        c.focused ? f.slider.setFocus() : f.slider.clearFocus();
        f.slider.setOptions(c.options);
        image = f.slider.grab().toImage();
        int dots = 0;
        for (int x = inset; x < f.slider.width() - inset; ++x)
            dots += image.pixel(x, inset) == ink;
        EXPECT_EQ(dots > 0, c.shown) << c.focused << " " << int(c.options);
        EXPECT_LT(dots, f.slider.width() - 2 * inset) << "dotted";
    }
}
