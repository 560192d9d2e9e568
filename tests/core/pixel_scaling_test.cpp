#include "image/pixel_scaling.h"

#include <gtest/gtest.h>

namespace nerula {
namespace {

TEST(ShrinkPixels, AveragesTheCoveredPixelsPerChannel) {
    // 4 x 2 to 2 x 1: each destination pixel averages a 2 x 2 block.
    const std::vector<std::uint32_t> source{
        0x00000000, 0xFF0000FF, 0x10203040, 0x10203040, 0x00FF0000, 0x0000FF00, 0x30405060, 0x30405060,
    };
    const std::vector<std::uint32_t> shrunk = ShrinkPixels(source, 4, 2, 2, 1);
    ASSERT_EQ(shrunk.size(), 2u);
    EXPECT_EQ(shrunk[0], 0x40404040u); // 0xFF/4 rounds to 0x40 in every channel
    EXPECT_EQ(shrunk[1], 0x20304050u);
}

TEST(ShrinkPixels, UnevenRatiosCoverEverySourcePixel) {
    // 5 x 1 to 2 x 1: columns 0-1 and 2-4.
    const std::vector<std::uint32_t> source{10, 20, 30, 60, 90};
    EXPECT_EQ(ShrinkPixels(source, 5, 1, 2, 1), (std::vector<std::uint32_t>{15, 60}));
    // The same size copies the picture.
    EXPECT_EQ(ShrinkPixels(source, 5, 1, 5, 1), source);
    // Down to one pixel: the average of all.
    EXPECT_EQ(ShrinkPixels(source, 5, 1, 1, 1), (std::vector<std::uint32_t>{42}));
}

} // namespace
} // namespace nerula
