#include "common/text_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace nerula {
namespace {

TEST(TextFormatTest, FillsPlaceholdersInOrder) {
    EXPECT_EQ(FormatText(u"%s ( %d x %d %dbit ) - Nerula", {u"a.bmp", u"640", u"480", u"24"}),
              u"a.bmp ( 640 x 480 24bit ) - Nerula");
    // More placeholders than arguments: the rest stay; a lone "%" stays.
    EXPECT_EQ(FormatText(u"%s and %s", {u"one"}), u"one and %s");
    EXPECT_EQ(FormatText(u"100% %s", {u"sure"}), u"100% sure");
    // An argument's own "%s" is not filled again.
    EXPECT_EQ(FormatText(u"%s-%s", {u"%s", u"x"}), u"%s-x");
}

TEST(TextFormatTest, WritesDecimals) {
    EXPECT_EQ(ToDecimal(0), u"0");
    EXPECT_EQ(ToDecimal(-42), u"-42");
    EXPECT_EQ(ToDecimal(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
    EXPECT_EQ(ToDecimal(4294967295), u"4294967295");
}

} // namespace
} // namespace nerula
