#include "image/picture_fit.h"

#include <gtest/gtest.h>

#include <vector>

namespace nerula {
namespace {

TEST(FitPicture, ShrinksKeepingTheAspectAndCentresNeverEnlarges) {
    struct Case {
        int w, h, cw, ch;
        PictureRect expected;
    };
    const std::vector<Case> cases{
        {100, 50, 400, 300, {150, 125, 100, 50}},  // fits: actual size, centred
        {800, 600, 400, 400, {0, 50, 400, 300}},   // wide: full width
        {800, 200, 400, 50, {100, 0, 200, 50}},    // wide, then too high: full height
        {300, 900, 400, 300, {150, 0, 100, 300}},  // tall: full height
        {900, 1000, 300, 600, {0, 133, 300, 333}}, // tall, then too wide: full width, truncated
        {500, 500, 400, 300, {50, 0, 300, 300}},   // square counts as tall
        {401, 10, 400, 300, {0, 145, 400, 9}},     // 9.975 is truncated
        {0, 0, 400, 300, {200, 150, 0, 0}},        // an empty picture
    };
    for (const Case& c : cases) {
        const PictureRect r = FitPicture(c.w, c.h, c.cw, c.ch);
        EXPECT_EQ(r.left, c.expected.left) << c.w << "x" << c.h << " in " << c.cw << "x" << c.ch;
        EXPECT_EQ(r.top, c.expected.top) << c.w << "x" << c.h;
        EXPECT_EQ(r.width, c.expected.width) << c.w << "x" << c.h;
        EXPECT_EQ(r.height, c.expected.height) << c.w << "x" << c.h;
    }
}

} // namespace
} // namespace nerula
