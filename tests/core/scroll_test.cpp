#include "app/mouse_wheel.h"
#include "image/scroll_axis.h"

#include <gtest/gtest.h>

namespace nerula {
namespace {

TEST(MouseWheelTest, OneIncrementPerMessageWhateverTheDelta) {
    struct Case {
        WheelAxis axis;
        std::int16_t delta;
        int distance;
    };
    const Case cases[] = {
        {WheelAxis::Vertical, 120, -8},  {WheelAxis::Vertical, 240, -8},    {WheelAxis::Vertical, 1, -8},
        {WheelAxis::Vertical, -120, 8},  {WheelAxis::Vertical, 0, 8},       {WheelAxis::Horizontal, 120, 8},
        {WheelAxis::Horizontal, 480, 8}, {WheelAxis::Horizontal, -120, -8}, {WheelAxis::Horizontal, 0, -8},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WheelScrollDistance(c.axis, c.delta), c.distance) << c.delta;
    }
}

TEST(ScrollAxisTest, KeepsThePositionWithinTheRange) {
    ScrollAxis axis;
    axis.SetSizes(100, 40);
    EXPECT_EQ(axis.Range(), 60);
    EXPECT_EQ(axis.ScrollBy(-8), 0);
    EXPECT_EQ(axis.ScrollBy(8), 8);
    EXPECT_EQ(axis.ScrollBy(100), 52);
    EXPECT_EQ(axis.Position(), 60);
    // A larger client area shortens the range and pulls the position back.
    axis.SetSizes(100, 80);
    EXPECT_EQ(axis.Position(), 20);
    // Content that fits cannot scroll.
    axis.SetSizes(50, 80);
    EXPECT_EQ(axis.Range(), 0);
    EXPECT_EQ(axis.Position(), 0);
    EXPECT_EQ(axis.ScrollBy(8), 0);
}

} // namespace
} // namespace nerula
