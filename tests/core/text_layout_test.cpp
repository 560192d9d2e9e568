#include "text/text_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace nerula {
namespace {

TEST(TextWindowSize, CommonScreens) {
    struct Case {
        int right;
        int bottom;
        int width;
        int height;
    };
    const std::vector<Case> cases{
        {1366, 768, 1024, 576},                          // 1024.5 rounds to the even 1024
        {1440, 900, 1080, 675},  {1680, 1050, 840, 788}, // 787.5 rounds to the even 788
        {1600, 1200, 800, 600},  {1920, 1080, 960, 810},
        {1280, 1024, 960, 768},  {1599, 1199, 1199, 899}, // 1199.25 and 899.25 round down
        {1598, 1198, 1198, 898},                          // 1198.5 rounds to the even 1198; 898.5 to 898
        {1602, 1202, 801, 601},
    };
    for (const Case& c : cases) {
        const WindowSize size = TextWindowSize(c.right, c.bottom);
        EXPECT_EQ(size.width, c.width) << c.right << " x " << c.bottom;
        EXPECT_EQ(size.height, c.height) << c.right << " x " << c.bottom;
    }
}

TEST(FitsDesktop, FarCornerOnTheEdgeIsOutside) {
    const DesktopBounds desktop{0, 0, 1366, 768};
    const WindowSize size{1024, 576};
    EXPECT_TRUE(FitsDesktop(0, 0, size, desktop));
    EXPECT_TRUE(FitsDesktop(341, 191, size, desktop));
    EXPECT_FALSE(FitsDesktop(342, 0, size, desktop)) << "right edge reached";
    EXPECT_FALSE(FitsDesktop(0, 192, size, desktop)) << "bottom edge reached";
    EXPECT_FALSE(FitsDesktop(-1100, 0, size, desktop)) << "left of the desktop";
}

TEST(CaretScrollLines, TopOrJustAboveTheMiddle) {
    EXPECT_EQ(CaretScrollLines(40, 10, false, 480, 16), 30);
    EXPECT_EQ(CaretScrollLines(3, 10, false, 480, 16), -7);
    // 30 rows: the line lands on row 14; 31 rows also on row 14.
    EXPECT_EQ(CaretScrollLines(100, 0, true, 30 * 16, 16), 100 - 14);
    EXPECT_EQ(CaretScrollLines(100, 0, true, 31 * 16 + 15, 16), 100 - 14);
    EXPECT_EQ(CaretScrollLines(100, 20, true, 30 * 16, 16), 100 - 34);
    // No measurable line height: no rows fit, the line goes one above the top.
    EXPECT_EQ(CaretScrollLines(5, 0, true, 100, 0), 6);
}

} // namespace
} // namespace nerula
