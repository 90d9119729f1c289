#include "slider/SliderModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using Step = SliderModel::Step;

// The main window's position slider: 143 × 33, built-in images, 0..100 by 10.
SliderModel PositionSlider(TSliderOptions options = soShowFocus | soShowPoints | soSmooth)
{
    SliderModel slider;
    slider.setOptions(options);
    slider.setSize({143, 33});
    return slider;
}

SliderModel VerticalSlider()
{
    SliderModel slider;
    slider.setOrientation(TSliderOrientation::soVertical);
    slider.setSize({33, 143});
    return slider;
}
} // namespace

TEST(SliderModel, PositionSliderLayout)
{
    SliderModel slider = PositionSlider();
    EXPECT_EQ(slider.rulerSize(), QSize(131, 10));
    EXPECT_EQ(slider.thumbSize(), QSize(9, 17));
    EXPECT_EQ(slider.thumbPos(), QPoint(6, 6));
    EXPECT_EQ(slider.rulerOrigin(), QPoint(6, 9));
    EXPECT_EQ(slider.trackLength(), 122);
    EXPECT_EQ(slider.pointsArea(), QRect(QPoint(6, 24), QPoint(137, 32)));
    EXPECT_TRUE(slider.setValue(50));
    EXPECT_EQ(slider.thumbPos(), QPoint(67, 6));

    const std::vector<QRect> marks = slider.marks(10, 3, 4);
    ASSERT_EQ(marks.size(), 11u);
    for (size_t i = 0; i < marks.size(); ++i) {
        const int length = i == 0 || i == 10 ? 4 : 3;
        EXPECT_EQ(marks[i], QRect(4 + slider.positionOf(int(i) * 10), 24, 1, length)) << i;
    }
    EXPECT_EQ(marks.front().left(), 10);
    EXPECT_EQ(marks.back().left(), 132);
}

TEST(SliderModel, VerticalLayoutHasTheMinimumAtTheBottom)
{
    SliderModel slider = VerticalSlider();
    EXPECT_EQ(slider.rulerSize(), QSize(8, 131));
    EXPECT_EQ(slider.thumbSize(), QSize(17, 9));
    EXPECT_EQ(slider.rulerOrigin(), QPoint(10, 6));
    EXPECT_EQ(slider.trackLength(), 122);
    EXPECT_EQ(slider.pointsArea(), QRect(QPoint(24, 6), QPoint(32, 137)));
    EXPECT_EQ(slider.thumbPos(), QPoint(6, 128));
    slider.setValue(100);
    EXPECT_EQ(slider.thumbPos(), QPoint(6, 6));
    // Each mark lies beside the middle of the thumb standing at its value.
    const std::vector<QRect> marks = slider.marks(50, 3, 4);
    const std::vector<QRect> expected = {{24, 132, 4, 1}, {24, 71, 3, 1}, {24, 10, 4, 1}};
    EXPECT_EQ(marks, expected);
}

TEST(SliderModel, RulerThickerThanTheThumbCentresTheThumb)
{
    SliderModel slider;
    slider.setImageSize(ImageHRuler, {10, 21});
    slider.setSize({143, 40});
    EXPECT_EQ(slider.rulerOrigin(), QPoint(6, 6));
    EXPECT_EQ(slider.thumbPos(), QPoint(6, 8));
    EXPECT_EQ(slider.pointsArea().top(), 28);
}

TEST(SliderModel, MetricsScaleWithTheScreen)
{
    SliderModel slider(SliderMetrics::Designed([](int v) { return 2 * v; }));
    slider.setSize({286, 66});
    EXPECT_EQ(slider.metrics().extremeMarkHeight, 8);
    EXPECT_EQ(slider.rulerSize().width(), 262);
    EXPECT_EQ(slider.thumbPos(), QPoint(12, 12));
}

TEST(SliderModel, PositionsRoundHalfToEven)
{
    SliderModel slider = PositionSlider();
    // Track 122 over 0..100: 25 lies at 30.5 and 75 at 91.5.
    struct Case { int value, position; };
    for (const Case &c : {Case{0, 6}, Case{25, 36}, Case{37, 51}, Case{50, 67}, Case{75, 98}, Case{100, 128}})
        EXPECT_EQ(slider.positionOf(c.value), c.position) << c.value;
    // Over 0..61 every odd pixel is an exact half value.
    ASSERT_TRUE(slider.setMaxValue(61));
    for (const Case &c : {Case{0, 7}, Case{2, 9}, Case{2, 11}, Case{4, 13}, Case{61, 128}})
        EXPECT_EQ(slider.valueAt(c.position), c.value) << c.position;
}

TEST(SliderModel, LongRangesDoNotOverflow)
{
    SliderModel slider = PositionSlider();
    ASSERT_TRUE(slider.setMaxValue(2000000000));
    slider.setValue(1500000000);
    EXPECT_EQ(slider.thumbPos().x(), 98);  // 91.5 to even, + 6
    EXPECT_EQ(slider.valueAt(128), 2000000000);
    EXPECT_EQ(slider.marks(10, 3, 4).size(), 31u);
}

TEST(SliderModel, WithoutSmoothTheThumbSnapsButNotTheValue)
{
    SliderModel slider = PositionSlider(soShowPoints);
    struct Case { int value, stored, thumb; };
    for (const Case &c : {Case{37, 37, 43}, Case{99, 99, 116}, Case{100, 100, 128}, Case{20, 20, 30}}) {
        slider.setValue(c.value);
        EXPECT_EQ(slider.Value(), c.stored) << c.value;
        EXPECT_EQ(slider.thumbPos().x(), c.thumb) << c.value;
    }
    EXPECT_EQ(slider.valueAt(51), 30);
    // A new increment places the thumb again.
    slider.setValue(37);
    ASSERT_TRUE(slider.setIncrement(25));
    EXPECT_EQ(slider.Value(), 37);
    EXPECT_EQ(slider.thumbPos().x(), 36);
}

TEST(SliderModel, SettingTheValue)
{
    SliderModel slider = PositionSlider();
    struct Case { int set, stored; bool changed; };
    const Case cases[] = {{40, 40, true}, {40, 40, false}, {150, 100, true}, {101, 100, false}, {-5, 0, true}};
    for (const Case &c : cases) {
        EXPECT_EQ(slider.setValue(c.set), c.changed) << c.set;
        EXPECT_EQ(slider.Value(), c.stored) << c.set;
    }
}

TEST(SliderModel, PropertyRules)
{
    SliderModel slider = PositionSlider();
    slider.setValue(80);
    struct Case { const char *what; bool (SliderModel::*set)(int); int value; bool taken; int (SliderModel::*get)() const; int after; };
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
        {"increment negative", &SliderModel::setIncrement, -3, false, &SliderModel::Increment, 10},
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
    EXPECT_EQ(slider.trackLength(), 113);
}

TEST(SliderModel, KeysStepTheValue)
{
    struct Case { TSliderOrientation orientation; int minValue, value, key; Qt::KeyboardModifiers modifiers; Step step; int after; };
    const auto H = TSliderOrientation::soHorizontal, V = TSliderOrientation::soVertical;
    const Case cases[] = {
        {H, 0, 37, Qt::Key_Right, Qt::NoModifier, Step::Up, 40},
        {H, 0, 37, Qt::Key_Left, Qt::NoModifier, Step::Down, 20},
        {H, 0, 40, Qt::Key_Left, Qt::KeypadModifier, Step::Down, 30},
        {H, 0, 37, Qt::Key_Home, Qt::NoModifier, Step::Home, 0},
        {H, 0, 37, Qt::Key_End, Qt::NoModifier, Step::End, 100},
        {H, 0, 95, Qt::Key_Right, Qt::NoModifier, Step::Up, 100},
        {H, 0, 5, Qt::Key_Left, Qt::NoModifier, Step::Down, 0},
        // Steps count from the multiple nearer to zero.
        {H, -50, -37, Qt::Key_Right, Qt::NoModifier, Step::Up, -20},
        {H, -50, -37, Qt::Key_Left, Qt::NoModifier, Step::Down, -40},
        {H, 0, 37, Qt::Key_Right, Qt::ShiftModifier, Step::None, 37},
        {H, 0, 37, Qt::Key_Home, Qt::ControlModifier, Step::None, 37},
        {H, 0, 37, Qt::Key_End, Qt::AltModifier, Step::None, 37},
        {H, 0, 37, Qt::Key_Up, Qt::NoModifier, Step::None, 37},
        {H, 0, 37, Qt::Key_PageUp, Qt::NoModifier, Step::None, 37},
        {V, 0, 37, Qt::Key_Up, Qt::NoModifier, Step::Up, 40},
        {V, 0, 37, Qt::Key_Down, Qt::NoModifier, Step::Down, 20},
        {V, 0, 37, Qt::Key_Right, Qt::NoModifier, Step::None, 37},
    };
    for (const Case &c : cases) {
        SliderModel slider;
        slider.setOrientation(c.orientation);
        slider.setMinValue(c.minValue);
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
    // Thumb 9 wide at 6 + 1.22 × value.
    const Case horizontal[] = {
        {Press, {60, 10}, true, 10}, {Repeat, {}, true, 20}, {Repeat, {}, true, 30},
        {Repeat, {}, true, 40},  // thumb at 55..63 covers x 60
        {Repeat, {}, false, 40},
        {Move, {120, 10}, false, 40}, {Repeat, {}, true, 50},
        // Moved to the other side of the thumb: the press stepped up, so nothing happens.
        {Move, {10, 10}, false, 50}, {Repeat, {}, false, 50},
        {Move, {130, 10}, false, 50}, {Release, {}, false, 50}, {Repeat, {}, false, 50},
        {Press, {20, 30}, true, 40}, {Repeat, {}, true, 30}, {Release, {}, false, 30},
        // The first pixel after the thumb (43 + 9) is on its right; a press on the thumb's
        // column steps nowhere.
        {Press, {52, 5}, true, 40}, {Release, {}, false, 40}, {Press, {63, 5}, false, 40}, {Repeat, {}, false, 40},
    };
    SliderModel slider = PositionSlider();
    auto run = [&slider](const Case &c, int i) {
        bool changed = false;
        switch (c.action) {
        case Press: changed = slider.pressRuler(c.point); break;
        case Repeat: changed = slider.repeatRuler(); break;
        case Move: slider.moveRuler(c.point); break;
        case Release: slider.releaseRuler(); break;
        }
        EXPECT_EQ(changed, c.changed) << "step " << i;
        EXPECT_EQ(slider.Value(), c.value) << "step " << i;
    };
    for (size_t i = 0; i < std::size(horizontal); ++i)
        run(horizontal[i], int(i));

    // Vertical: above the thumb steps up.
    slider = VerticalSlider();
    const Case vertical[] = {{Press, {10, 100}, true, 10}, {Repeat, {}, true, 20}, {Release, {}, false, 20},
                             {Press, {10, 140}, true, 10}};
    for (size_t i = 0; i < std::size(vertical); ++i)
        run(vertical[i], int(i));
}

TEST(SliderModel, DraggingTheThumb)
{
    struct Case { QPoint point; bool changed; int value; int thumb; };
    SliderModel slider = PositionSlider();
    EXPECT_FALSE(slider.dragThumb({70, 10}));  // no drag without a press
    slider.pressThumb({4, 8});
    EXPECT_TRUE(slider.tracking());
    const Case smooth[] = {{{71, 0}, true, 50, 67}, {{71, 30}, false, 50, 67}, {{500, 0}, true, 100, 128},
                           {{-40, 0}, true, 0, 6}, {{12, 0}, true, 2, 8}};
    for (const Case &c : smooth) {
        EXPECT_EQ(slider.dragThumb(c.point), c.changed) << c.point.x();
        EXPECT_EQ(slider.Value(), c.value) << c.point.x();
        EXPECT_EQ(slider.thumbPos().x(), c.thumb) << c.point.x();
    }
    // A value set from outside moves the thumb; the next move puts it back under the pointer.
    slider.setValue(90);
    EXPECT_EQ(slider.thumbPos().x(), 116);
    EXPECT_TRUE(slider.dragThumb({12, 0}));
    EXPECT_EQ(slider.Value(), 2);
    EXPECT_TRUE(slider.releaseThumb());
    EXPECT_FALSE(slider.releaseThumb());
    EXPECT_FALSE(slider.tracking());

    SliderModel snapping = PositionSlider(soShowPoints);
    snapping.pressThumb({0, 0});
    const Case snapped[] = {{{60, 0}, true, 40, 55}, {{64, 0}, false, 40, 55}, {{70, 0}, true, 50, 67}};
    for (const Case &c : snapped) {
        EXPECT_EQ(snapping.dragThumb(c.point), c.changed) << c.point.x();
        EXPECT_EQ(snapping.Value(), c.value) << c.point.x();
        EXPECT_EQ(snapping.thumbPos().x(), c.thumb) << c.point.x();
    }

    SliderModel vertical = VerticalSlider();
    vertical.pressThumb({5, 4});
    EXPECT_TRUE(vertical.dragThumb({0, 71}));
    EXPECT_EQ(vertical.Value(), 50);
    EXPECT_EQ(vertical.thumbPos(), QPoint(6, 67));
}

TEST(SliderModel, MarksThinOutToKeepTheirGap)
{
    struct Case { QSize size; int maxValue, step; size_t count; int lastLength; };
    const Case cases[] = {
        {{143, 33}, 100, 10, 11, 4},
        {{73, 33}, 100, 20, 6, 4},
        // Every fourth step: 26 marks with 3 pixels between them.
        {{143, 33}, 1000, 10, 26, 4},
        {{143, 33}, 1010, 10, 26, 3},
        {{143, 33}, 100, 0, 0, 0},
        // No track: a single mark at the minimum.
        {{20, 33}, 100, 10, 1, 4},
    };
    for (const Case &c : cases) {
        SliderModel slider;
        slider.setSize(c.size);
        slider.setMaxValue(c.maxValue);
        const auto marks = slider.marks(c.step, 3, 4);
        ASSERT_EQ(marks.size(), c.count) << c.maxValue;
        if (!marks.empty()) {
            EXPECT_EQ(marks.back().height(), c.lastLength) << c.maxValue;
        }
        for (size_t i = 1; i < marks.size(); ++i)
            EXPECT_GE(marks[i].left() - marks[i - 1].right() - 1, 3) << c.maxValue << " mark " << i;
    }
}
