#include "app/hand_off.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace nerula {
namespace {

TEST(HandOffTest, QuotesThePathAndDoublesInnerQuotes) {
    EXPECT_EQ(QuotePath(u"C:\\a b\\c.txt"), u"\"C:\\a b\\c.txt\"");
    EXPECT_EQ(QuotePath(u"say\"hi\".txt"), u"\"say\"\"hi\"\".txt\"");
    EXPECT_EQ(QuotePath(u""), u"\"\"");
}

// Line and column as signed decimals; the code page, which is read back as an unsigned
// number, as an unsigned one.
TEST(HandOffTest, FormatsTheSwitchesAsTheReceiverReadsThem) {
    EXPECT_EQ(HandOffParameters({u"C:\\b.txt", {0, 1, 1}}), u"/C0 /L1 /D1 \"C:\\b.txt\"");
    EXPECT_EQ(HandOffParameters({u"b.txt", {932, 10, 3}}), u"/C932 /L10 /D3 \"b.txt\"");
    EXPECT_EQ(HandOffParameters({u"b.txt", {65001, -2, 0}}), u"/C65001 /L-2 /D0 \"b.txt\"");
    EXPECT_EQ(HandOffParameters({u"b.txt", {4294967295u, 1, 1}}), u"/C4294967295 /L1 /D1 \"b.txt\"");
    EXPECT_EQ(HandOffParameters({u"b.txt", {2147483648u, INT32_MIN, INT32_MAX}}),
              u"/C2147483648 /L-2147483648 /D2147483647 \"b.txt\"");
}

TEST(HandOffTest, TheParametersSplitBackIntoTheSameRequest) {
    const FileRequest requests[] = {
        {u"C:\\My Files\\\u65e5\u672c.txt", {20932, 12, 4}},
        {u"b.txt", {4294967295u, -5, 0}},
        {u"b.txt", {2147483648u, INT32_MIN, INT32_MAX}},
    };
    for (const FileRequest& request : requests) {
        const auto files = WalkArguments(SplitCommandLine(u"nerula.exe " + HandOffParameters(request)));
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files[0], request) << request.switches.codePage;
    }
}

} // namespace
} // namespace nerula
