#include "slider/SliderModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
constexpr auto H = TSliderOrientation::soHorizontal, V = TSliderOrientation::soVertical;
const TSliderOptions Smooth = soShowPoints | soSmooth, Snapping = soShowPoints;

// The main window's position slider (143 × 33, built-in images, 0..100 by 10), or the same
// turned upright.
SliderModel Slider(TSliderOrientation orientation = H, TSliderOptions options = Smooth)
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
        const char *what; TSliderOrientation orientation; QSize rulerImage; int scale;
        QSize ruler, thumb; QPoint rulerOrigin, thumbAt0; int track; QRect points;
    };
    const Case cases[] = {
        {"position slider", H, {10, 10}, 1, {131, 10}, {9, 17}, {6, 9}, {6, 6}, 122, {QPoint(6, 24), QPoint(137, 32)}},
        // The minimum is at the bottom.
        {"upright", V, {10, 10}, 1, {8, 131}, {17, 9}, {10, 6}, {6, 128}, 122, {QPoint(24, 6), QPoint(32, 137)}},
        {"thick ruler", H, {10, 21}, 1, {131, 21}, {9, 17}, {6, 6}, {6, 8}, 122, {QPoint(6, 28), QPoint(137, 32)}},
        // A screen of twice the design resolution scales the distances, the images are given.
        {"twice the DPI", H, {10, 10}, 2, {262, 10}, {9, 17}, {12, 15}, {12, 12}, 253, {QPoint(12, 31), QPoint(274, 65)}},
    };
    for (const Case &c : cases) {
        SliderModel s(SliderMetrics::Designed([&c](int v) { return c.scale * v; }));
        s.setOrientation(c.orientation);
        s.setImageSize(ImageHRuler, c.rulerImage);
        s.setSize((c.orientation == H ? QSize(143, 33) : QSize(33, 143)) * c.scale);
        EXPECT_EQ(s.rulerSize(), c.ruler) << c.what;
        EXPECT_EQ(s.thumbSize(), c.thumb) << c.what;
        EXPECT_EQ(s.rulerOrigin(), c.rulerOrigin) << c.what;
        EXPECT_EQ(s.thumbPos(), c.thumbAt0) << c.what;
        EXPECT_EQ(s.trackLength(), c.track) << c.what;
        EXPECT_EQ(s.pointsArea(), c.points) << c.what;
    }
}

TEST(SliderModel, ValuesAndPositionsMapWithHalfToEvenRounding)
{
    struct Case { int maxValue, value, position; };
    const auto slider = [](int maxValue) {
        SliderModel s = Slider();
        s.setMaxValue(maxValue);
        return s;
    };
    // Track 122 over 0..100: 25 lies at 30.5 and 75 at 91.5. Hours in milliseconds need products
    // of more than 32 bits.
    for (const Case &c : {Case{100, 0, 6}, {100, 25, 36}, {100, 37, 51}, {100, 50, 67}, {100, 75, 98},
                          {100, 100, 128}, {2000000000, 1500000000, 98}, {2000000000, 2000000000, 128}})
        EXPECT_EQ(slider(c.maxValue).positionOf(c.value), c.position) << c.maxValue << ": " << c.value;
    // Over 0..61 every odd pixel is an exact half value.
    for (const Case &c : {Case{61, 0, 7}, {61, 2, 9}, {61, 2, 11}, {61, 4, 13}, {61, 61, 128}, {100, 25, 36},
                          {100, 37, 51}, {100, 75, 98}, {2000000000, 2000000000, 128}})
        EXPECT_EQ(slider(c.maxValue).valueAt(c.position), c.value) << c.maxValue << ": " << c.position;
}

TEST(SliderModel, PropertyRules)
{
    using M = SliderModel;
    struct Case { const char *what; bool (M::*set)(int); int value; bool taken; int (M::*get)() const; int after; };
    // Applied in turn to the position slider.
    const Case cases[] = {
        {"value", &M::setValue, 40, true, &M::Value, 40}, {"same value", &M::setValue, 40, false, &M::Value, 40},
        {"above max", &M::setValue, 150, true, &M::Value, 100}, {"max again", &M::setValue, 101, false, &M::Value, 100},
        {"below min", &M::setValue, -5, true, &M::Value, 0}, {"value", &M::setValue, 80, true, &M::Value, 80},
        // The edge must leave a middle of the ruler image.
        {"edge 5", &M::setEdgeSize, 5, false, &M::EdgeSize, 2}, {"edge -1", &M::setEdgeSize, -1, false, &M::EdgeSize, 2},
        {"edge 4", &M::setEdgeSize, 4, true, &M::EdgeSize, 4},
        {"max below min + increment", &M::setMaxValue, 5, false, &M::MaxValue, 100},
        {"same max", &M::setMaxValue, 100, false, &M::MaxValue, 100},
        {"max below the value", &M::setMaxValue, 50, true, &M::MaxValue, 50},
        {"min above max - increment", &M::setMinValue, 41, false, &M::MinValue, 0},
        {"min at max - increment", &M::setMinValue, 40, true, &M::MinValue, 40},
        {"increment 0", &M::setIncrement, 0, false, &M::Increment, 10},
    };
    SliderModel slider = Slider();
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
    struct Case { TSliderOrientation orientation; int value, key; Qt::KeyboardModifiers modifiers; int after; };
    const auto none = Qt::NoModifier;
    // The minimum is -55; steps count from the multiple nearer to zero. Other keys and keys
    // with Shift, Ctrl or Alt do nothing.
    const Case cases[] = {
        {H, 37, Qt::Key_Right, none, 40}, {H, 37, Qt::Key_Left, none, 20}, {H, 40, Qt::Key_Left, Qt::KeypadModifier, 30},
        {H, 37, Qt::Key_Home, none, -55}, {H, 37, Qt::Key_End, none, 100}, {H, 95, Qt::Key_Right, none, 100},
        {H, -52, Qt::Key_Left, none, -55}, {H, -37, Qt::Key_Right, none, -20}, {H, -37, Qt::Key_Left, none, -40},
        {H, 37, Qt::Key_Right, Qt::ShiftModifier, 37}, {H, 37, Qt::Key_Home, Qt::ControlModifier, 37},
        {H, 37, Qt::Key_End, Qt::AltModifier, 37}, {H, 37, Qt::Key_Up, none, 37}, {V, 37, Qt::Key_Up, none, 40},
        {V, 37, Qt::Key_Down, none, 20}, {V, 37, Qt::Key_Right, none, 37},
    };
    for (const Case &c : cases) {
        SliderModel slider = Slider(c.orientation);
        slider.setMinValue(-55);
        slider.setValue(c.value);
        slider.step(slider.stepForKey(c.key, c.modifiers));
        EXPECT_EQ(slider.Value(), c.after) << c.value << " key " << c.key;
    }
}

TEST(SliderModel, HeldRulerPressStepsUntilTheThumbReachesThePointer)
{
    // Repeat is one tick of the repeat clock.
    enum Action { Press, Repeat, Move, Release };
    struct Case { Action action; QPoint point; bool changed; int value; };
    struct Run { TSliderOrientation orientation; std::vector<Case> steps; };
    const Run runs[] = {
        // The thumb is 9 wide at 6 + 1.22 × value; at 40 it covers x 55..63.
        {H, {{Press, {60, 10}, true, 10}, {Repeat, {}, true, 20}, {Repeat, {}, true, 30}, {Repeat, {}, true, 40},
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

TEST(SliderModel, TheThumbFollowsTheValueAndTheDrag)
{
    // Without soSmooth the thumb snaps down to a multiple of the increment: a set value stays as
    // it is, a drag takes the value of the snapped thumb. Drags hold the thumb at (4, 4).
    enum Action { SetValue, SetIncrement, Drag };
    struct Case {
        TSliderOrientation orientation; TSliderOptions options; int from; Action action; int argument;
        bool changed; int value; QPoint thumb;
    };
    const Case cases[] = {
        {H, Smooth, 0, SetValue, 37, true, 37, {51, 6}}, {H, Snapping, 0, SetValue, 37, true, 37, {43, 6}},
        {H, Snapping, 0, SetValue, 99, true, 99, {116, 6}}, {H, Snapping, 0, SetValue, 20, true, 20, {30, 6}},
        {H, Snapping, 37, SetIncrement, 25, true, 37, {36, 6}},
        // The pointer at x (upright: y); the other coordinate does not count.
        {H, Smooth, 0, Drag, 71, true, 50, {67, 6}}, {H, Smooth, 50, Drag, 71, false, 50, {67, 6}},
        {H, Smooth, 0, Drag, 500, true, 100, {128, 6}}, {H, Smooth, 50, Drag, -40, true, 0, {6, 6}},
        {H, Smooth, 0, Drag, 64, true, 44, {60, 6}}, {H, Snapping, 0, Drag, 64, true, 40, {55, 6}},
        {H, Snapping, 40, Drag, 68, false, 40, {55, 6}}, {H, Snapping, 40, Drag, 74, true, 50, {67, 6}},
        {V, Smooth, 0, Drag, 71, true, 50, {6, 67}},
    };
    for (const Case &c : cases) {
        SliderModel slider = Slider(c.orientation, c.options);
        slider.setValue(c.from);
        bool changed = false;
        switch (c.action) {
        case SetValue: changed = slider.setValue(c.argument); break;
        case SetIncrement: changed = slider.setIncrement(c.argument); break;
        case Drag:
            slider.pressThumb({4, 4});
            changed = slider.dragThumb(c.orientation == H ? QPoint(c.argument, 30) : QPoint(30, c.argument));
            break;
        }
        EXPECT_EQ(changed, c.changed) << c.argument;
        EXPECT_EQ(slider.Value(), c.value) << c.argument;
        EXPECT_EQ(slider.thumbPos(), c.thumb) << c.argument;
    }
    // A drag needs a press and ends once.
    SliderModel slider = Slider();
    EXPECT_FALSE(slider.dragThumb({71, 0}));
    slider.pressThumb({4, 4});
    EXPECT_TRUE(slider.releaseThumb());
    EXPECT_FALSE(slider.releaseThumb());
    EXPECT_FALSE(slider.dragThumb({71, 0}));
    EXPECT_EQ(slider.Value(), 0);
}

TEST(SliderModel, MarksUnderTheThumbThinnedOutToKeepTheirGap)
{
    // The first, second and last marks (all of them when there are fewer than four).
    struct Case { TSliderOrientation orientation; int length, maxValue, step; size_t count; std::vector<QRect> picked; };
    const Case cases[] = {
        // Eleven marks from y 24 under the middle of the thumb, the outer two longer.
        {H, 143, 100, 10, 11, {{10, 24, 1, 4}, {22, 24, 1, 3}, {132, 24, 1, 4}}},
        {V, 143, 100, 50, 3, {{24, 132, 4, 1}, {24, 71, 3, 1}, {24, 10, 4, 1}}},
        {H, 73, 100, 20, 6, {{10, 24, 1, 4}, {20, 24, 1, 3}, {62, 24, 1, 4}}},
        // Every fourth step: 26 marks about 5 pixels apart; the last one short when not at the maximum.
        {H, 143, 1000, 10, 26, {{10, 24, 1, 4}, {15, 24, 1, 3}, {132, 24, 1, 4}}},
        {H, 143, 1010, 10, 26, {{10, 24, 1, 4}, {15, 24, 1, 3}, {131, 24, 1, 3}}},
        {H, 143, 2000000000, 10, 31, {{10, 24, 1, 4}, {14, 24, 1, 3}, {128, 24, 1, 3}}},
        {H, 143, 100, 0, 0, {}},
        // No track: a single mark at the minimum.
        {H, 20, 100, 10, 1, {{10, 24, 1, 4}}},
    };
    for (const Case &c : cases) {
        SliderModel slider = Slider(c.orientation);
        slider.setSize(c.orientation == H ? QSize(c.length, 33) : QSize(33, c.length));
        slider.setMaxValue(c.maxValue);
        const std::vector<QRect> marks = slider.marks(c.step, 3, 4);
        ASSERT_EQ(marks.size(), c.count) << c.maxValue;
        const std::vector<QRect> picked = marks.size() < 4 ? marks : std::vector<QRect>{marks[0], marks[1], marks.back()};
        EXPECT_EQ(picked, c.picked) << c.maxValue;
    }
}
