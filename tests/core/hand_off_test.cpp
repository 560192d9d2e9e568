#include "app/hand_off.h"

#include <gtest/gtest.h>

namespace nerula {
namespace {

TEST(HandOffTest, QuotesThePathAndDoublesInnerQuotes) {
    EXPECT_EQ(QuotePath(u"C:\\a b\\c.txt"), u"\"C:\\a b\\c.txt\"");
    EXPECT_EQ(QuotePath(u"say\"hi\".txt"), u"\"say\"\"hi\"\".txt\"");
    EXPECT_EQ(QuotePath(u""), u"\"\"");
}

TEST(HandOffTest, FormatsTheSwitchesAsSignedDecimals) {
    EXPECT_EQ(HandOffParameters({u"C:\\b.txt", {0, 1, 1}}), u"/C0 /L1 /D1 \"C:\\b.txt\"");
    EXPECT_EQ(HandOffParameters({u"b.txt", {932, 10, 3}}), u"/C932 /L10 /D3 \"b.txt\"");
    EXPECT_EQ(HandOffParameters({u"b.txt", {65001, -2, 0}}), u"/C65001 /L-2 /D0 \"b.txt\"");
    EXPECT_EQ(HandOffParameters({u"b.txt", {4294967295u, 1, 1}}), u"/C-1 /L1 /D1 \"b.txt\"");
}

TEST(HandOffTest, TheParametersSplitBackIntoTheSameRequest) {
    const FileRequest request{u"C:\\My Files\\\u65e5\u672c.txt", {20932, 12, 4}};
    const auto arguments = SplitCommandLine(u"nerula.exe " + HandOffParameters(request));
    const auto files = WalkArguments(arguments);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0], request);
}

} // namespace
} // namespace nerula
