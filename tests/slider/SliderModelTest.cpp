#include "slider/SliderModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {
using Step = SliderModel::Step;
constexpr auto H = TSliderOrientation::soHorizontal, V = TSliderOrientation::soVertical;

// The main window's position slider (143 × 33, built-in images, 0..100 by 10), or the same
// turned upright.
SliderModel Slider(TSliderOrientation orientation = H, TSliderOptions options = soShowPoints | soSmooth)
{
    SliderModel slider;
    slider.setOptions(options);
    slider.setOrientation(orientation);
    slider.setSize(orientation == H ? QSize(143, 33) : QSize(33, 143));
    return slider;
}
} // namespace

TEST(SliderModel, Layout)
{
    struct Case {
        const char *what;
        std::function<SliderModel()> make;
        QSize ruler, thumb; QPoint rulerOrigin, thumbAt0; int track; QRect points;
    };
    const Case cases[] = {
        {"position slider", [] { return Slider(); }, {131, 10}, {9, 17}, {6, 9}, {6, 6}, 122, {QPoint(6, 24), QPoint(137, 32)}},
        // The minimum is at the bottom.
        {"vertical", [] { return Slider(V); }, {8, 131}, {17, 9}, {10, 6}, {6, 128}, 122, {QPoint(24, 6), QPoint(32, 137)}},
        {"ruler thicker than the thumb", [] {
             SliderModel s = Slider();
             s.setImageSize(ImageHRuler, {10, 21});
             return s;
         }, {131, 21}, {9, 17}, {6, 6}, {6, 8}, 122, {QPoint(6, 28), QPoint(137, 32)}},
        {"metrics of a screen at twice the design resolution", [] {
             SliderModel s(SliderMetrics::Designed([](int v) { return 2 * v; }));
             s.setSize({286, 66});
             return s;
         }, {262, 10}, {9, 17}, {12, 15}, {12, 12}, 253, {QPoint(12, 31), QPoint(274, 65)}},
    };
    for (const Case &c : cases) {
        const SliderModel s = c.make();
        EXPECT_EQ(s.rulerSize(), c.ruler) << c.what;
        EXPECT_EQ(s.thumbSize(), c.thumb) << c.what;
        EXPECT_EQ(s.rulerOrigin(), c.rulerOrigin) << c.what;
        EXPECT_EQ(s.thumbPos(), c.thumbAt0) << c.what;
        EXPECT_EQ(s.trackLength(), c.track) << c.what;
        EXPECT_EQ(s.pointsArea(), c.points) << c.what;
    }
}

TEST(SliderModel, PositionSliderMarks)
{
    SliderModel slider = Slider();
    EXPECT_TRUE(slider.setValue(50));
    EXPECT_EQ(slider.thumbPos(), QPoint(67, 6));
    const std::vector<QRect> marks = slider.marks(10, 3, 4);
    ASSERT_EQ(marks.size(), 11u);
    for (size_t i = 0; i < marks.size(); ++i)
        EXPECT_EQ(marks[i], QRect(4 + slider.positionOf(int(i) * 10), 24, 1, i == 0 || i == 10 ? 4 : 3)) << i;
    EXPECT_EQ(marks.back().left(), 132);
    // Upright, each mark lies beside the middle of the thumb standing at its value.
    const std::vector<QRect> vertical = {{24, 132, 4, 1}, {24, 71, 3, 1}, {24, 10, 4, 1}};
    EXPECT_EQ(Slider(V).marks(50, 3, 4), vertical);
}

TEST(SliderModel, MarksThinOutToKeepTheirGap)
{
    struct Case { int width, maxValue, step; size_t count; int lastLength; };
    const Case cases[] = {
        {143, 100, 10, 11, 4}, {73, 100, 20, 6, 4},
        // Every fourth step: 26 marks about 5 pixels apart.
        {143, 1000, 10, 26, 4}, {143, 1010, 10, 26, 3},
        {143, 2000000000, 10, 31, 3}, {143, 100, 0, 0, 0},
        // No track: a single mark at the minimum.
        {20, 100, 10, 1, 4},
    };
    for (const Case &c : cases) {
        SliderModel slider;
        slider.setSize({c.width, 33});
        slider.setMaxValue(c.maxValue);
        const auto marks = slider.marks(c.step, 3, 4);
        ASSERT_EQ(marks.size(), c.count) << c.maxValue;
        if (!marks.empty()) {
            EXPECT_EQ(marks.back().height(), c.lastLength) << c.maxValue;
        }
    }
}

TEST(SliderModel, PositionsRoundHalfToEvenWithoutOverflow)
{
    SliderModel slider = Slider();
    // Track 122 over 0..100: 25 lies at 30.5 and 75 at 91.5.
    struct Case { int value, position; };
    for (const Case &c : {Case{0, 6}, Case{25, 36}, Case{37, 51}, Case{50, 67}, Case{75, 98}, Case{100, 128}})
        EXPECT_EQ(slider.positionOf(c.value), c.position) << c.value;
    // Over 0..61 every odd pixel is an exact half value.
    ASSERT_TRUE(slider.setMaxValue(61));
    for (const Case &c : {Case{0, 7}, Case{2, 9}, Case{2, 11}, Case{4, 13}, Case{61, 128}})
        EXPECT_EQ(slider.valueAt(c.position), c.value) << c.position;
    // Hours in milliseconds: the products need more than 32 bits.
    ASSERT_TRUE(slider.setMaxValue(2000000000));
    slider.setValue(1500000000);
    EXPECT_EQ(slider.thumbPos().x(), 98);
    EXPECT_EQ(slider.valueAt(128), 2000000000);
}

TEST(SliderModel, SettingTheValue)
{
    struct Case { TSliderOptions options; int set, stored; bool changed; int thumb; };
    const TSliderOptions snapping = soShowPoints;
    const Case cases[] = {
        {soSmooth, 40, 40, true, 55}, {soSmooth, 40, 40, false, 55}, {soSmooth, 150, 100, true, 128},
        {soSmooth, 101, 100, false, 128}, {soSmooth, -5, 0, true, 6},
        // Without soSmooth the thumb snaps down to a multiple of the increment, the value stays.
        {snapping, 37, 37, true, 43}, {snapping, 99, 99, true, 116}, {snapping, 20, 20, true, 30},
    };
    SliderModel slider = Slider();
    for (const Case &c : cases) {
        slider.setOptions(c.options);
        EXPECT_EQ(slider.setValue(c.set), c.changed) << c.set;
        EXPECT_EQ(slider.Value(), c.stored) << c.set;
        EXPECT_EQ(slider.thumbPos().x(), c.thumb) << c.set;
    }
    // A new increment places the thumb again.
    slider.setValue(37);
    ASSERT_TRUE(slider.setIncrement(25));
    EXPECT_EQ(slider.Value(), 37);
    EXPECT_EQ(slider.thumbPos().x(), 36);
}

TEST(SliderModel, PropertyRules)
{
    SliderModel slider = Slider();
    slider.setValue(80);
    using Setter = bool (SliderModel::*)(int);
    using Getter = int (SliderModel::*)() const;
    struct Case { const char *what; Setter set; int value; bool taken; Getter get; int after; };
    const Case cases[] = {
        {"edge not below half the ruler", &SliderModel::setEdgeSize, 5, false, &SliderModel::EdgeSize, 2},
        {"edge negative", &SliderModel::setEdgeSize, -1, false, &SliderModel::EdgeSize, 2},
        {"edge", &SliderModel::setEdgeSize, 4, true, &SliderModel::EdgeSize, 4},
        {"max below min + increment", &SliderModel::setMaxValue, 5, false, &SliderModel::MaxValue, 100},
        {"max unchanged", &SliderModel::setMaxValue, 100, false, &SliderModel::MaxValue, 100},
        {"max below the value", &SliderModel::setMaxValue, 50, true, &SliderModel::MaxValue, 50},
        {"min above max - increment", &SliderModel::setMinValue, 41, false, &SliderModel::MinValue, 0},
        {"min at max - increment", &SliderModel::setMinValue, 40, true, &SliderModel::MinValue, 40},
        {"increment zero", &SliderModel::setIncrement, 0, false, &SliderModel::Increment, 10},
    };
    for (const Case &c : cases) {
        EXPECT_EQ((slider.*c.set)(c.value), c.taken) << c.what;
        EXPECT_EQ((slider.*c.get)(), c.after) << c.what;
    }
    // The limits leave the value and the thumb alone.
    EXPECT_EQ(slider.Value(), 80);
    EXPECT_EQ(slider.thumbPos().x(), 104);
    slider.setNumThumbStates(3);
    EXPECT_EQ(slider.thumbSize(), QSize(9, 17));
    slider.setNumThumbStates(1);
    EXPECT_EQ(slider.thumbSize(), QSize(18, 17));
    // The new layout sets the value again, which brings it into the range.
    EXPECT_EQ(slider.Value(), 50);
}

TEST(SliderModel, KeysStepTheValue)
{
    struct Case { TSliderOrientation orientation; int value, key; Qt::KeyboardModifiers modifiers; Step step; int after; };
    const auto none = Qt::NoModifier;
    const Case cases[] = {
        {H, 37, Qt::Key_Right, none, Step::Up, 40}, {H, 37, Qt::Key_Left, none, Step::Down, 20},
        {H, 40, Qt::Key_Left, Qt::KeypadModifier, Step::Down, 30}, {H, 37, Qt::Key_Home, none, Step::Home, -55},
        {H, 37, Qt::Key_End, none, Step::End, 100}, {H, 95, Qt::Key_Right, none, Step::Up, 100},
        {H, -52, Qt::Key_Left, none, Step::Down, -55},
        // Steps count from the multiple nearer to zero (the minimum here is -55).
        {H, -37, Qt::Key_Right, none, Step::Up, -20}, {H, -37, Qt::Key_Left, none, Step::Down, -40},
        {H, 37, Qt::Key_Right, Qt::ShiftModifier, Step::None, 37}, {H, 37, Qt::Key_Home, Qt::ControlModifier, Step::None, 37},
        {H, 37, Qt::Key_End, Qt::AltModifier, Step::None, 37}, {H, 37, Qt::Key_Up, none, Step::None, 37},
        {V, 37, Qt::Key_Up, none, Step::Up, 40}, {V, 37, Qt::Key_Down, none, Step::Down, 20},
        {V, 37, Qt::Key_Right, none, Step::None, 37},
    };
    for (const Case &c : cases) {
        SliderModel slider = Slider(c.orientation);
        slider.setMinValue(-55);
        slider.setValue(c.value);
        const Step step = slider.stepForKey(c.key, c.modifiers);
        EXPECT_EQ(step, c.step) << c.value << " key " << c.key;
        slider.step(step);
        EXPECT_EQ(slider.Value(), c.after) << c.value << " key " << c.key;
    }
}

TEST(SliderModel, HeldRulerPressStepsUntilTheThumbReachesThePointer)
{
    enum Action { Press, Repeat, Move, Release };
    struct Case { Action action; QPoint point; bool changed; int value; };
    struct Run { TSliderOrientation orientation; std::vector<Case> steps; };
    const Run runs[] = {
        // The thumb is 9 wide at 6 + 1.22 × value.
        {H, {{Press, {60, 10}, true, 10}, {Repeat, {}, true, 20}, {Repeat, {}, true, 30},
             {Repeat, {}, true, 40},  // the thumb at 55..63 covers x 60
             {Repeat, {}, false, 40}, {Move, {120, 10}, false, 40}, {Repeat, {}, true, 50},
             // On the other side of the thumb than the press: no step.
             {Move, {10, 10}, false, 50}, {Repeat, {}, false, 50}, {Release, {}, false, 50}, {Repeat, {}, false, 50},
             {Press, {20, 30}, true, 40}, {Repeat, {}, true, 30}, {Release, {}, false, 30},
             // The first pixel after the thumb (43 + 9) is on its right; over the thumb nothing steps.
             {Press, {52, 5}, true, 40}, {Release, {}, false, 40}, {Press, {63, 5}, false, 40}, {Repeat, {}, false, 40}}},
        // Upright, above the thumb steps up.
        {V, {{Press, {10, 100}, true, 10}, {Repeat, {}, true, 20}, {Release, {}, false, 20}, {Press, {10, 140}, true, 10}}},
    };
    for (const Run &run : runs) {
        SliderModel slider = Slider(run.orientation);
        for (size_t i = 0; i < run.steps.size(); ++i) {
            const Case &c = run.steps[i];
            bool changed = false;
            switch (c.action) {
            case Press: changed = slider.pressRuler(c.point); break;
            case Repeat: changed = slider.repeatRuler(); break;
            case Move: slider.moveRuler(c.point); break;
            case Release: slider.releaseRuler(); break;
            }
            EXPECT_EQ(changed, c.changed) << "step " << i;
            EXPECT_EQ(slider.Value(), c.value) << "step " << i;
        }
    }
}

TEST(SliderModel, DraggingTheThumb)
{
    struct Case { TSliderOptions options; int from; QPoint grab, point; bool changed; int value; QPoint thumb; };
    const TSliderOptions smooth = soSmooth, snapping = soShowPoints;
    const Case cases[] = {
        {smooth, 0, {4, 8}, {71, 0}, true, 50, {67, 6}}, {smooth, 50, {4, 8}, {71, 30}, false, 50, {67, 6}},
        {smooth, 0, {4, 8}, {500, 0}, true, 100, {128, 6}}, {smooth, 50, {4, 8}, {-40, 0}, true, 0, {6, 6}},
        {smooth, 90, {4, 8}, {12, 0}, true, 2, {8, 6}},
        // Without soSmooth the thumb jumps from multiple to multiple of the increment.
        {snapping, 0, {0, 0}, {60, 0}, true, 40, {55, 6}}, {snapping, 40, {0, 0}, {64, 0}, false, 40, {55, 6}},
        {snapping, 40, {0, 0}, {70, 0}, true, 50, {67, 6}},
    };
    for (const Case &c : cases) {
        SliderModel slider = Slider(H, c.options);
        slider.setValue(c.from);
        EXPECT_FALSE(slider.dragThumb(c.point)) << "no drag without a press";
        slider.pressThumb(c.grab);
        EXPECT_EQ(slider.dragThumb(c.point), c.changed) << c.point.x();
        EXPECT_EQ(slider.Value(), c.value) << c.point.x();
        EXPECT_EQ(slider.thumbPos(), c.thumb) << c.point.x();
        EXPECT_TRUE(slider.releaseThumb());
        EXPECT_FALSE(slider.releaseThumb());
    }
    SliderModel vertical = Slider(V);
    vertical.pressThumb({5, 4});
    EXPECT_TRUE(vertical.dragThumb({0, 71}));
    EXPECT_EQ(vertical.Value(), 50);
    EXPECT_EQ(vertical.thumbPos(), QPoint(6, 67));
}
