#include "common/integer_text.h"

#include <gtest/gtest.h>

#include <optional>

#include "test_text.h"

namespace nerula {
namespace {

struct Int32Case {
    const char16_t* text;
    std::optional<std::int32_t> expected;
};

TEST(IntegerTextTest, ReadsSignedIntegers) {
    const Int32Case cases[] = {
        {u"0", 0},
        {u"120", 120},
        {u"-5", -5},
        {u"+7", 7},
        {u"  42", 42},
        {u" -3", -3},
        {u"$1A", 26},
        {u"x1A", 26},
        {u"X1a", 26},
        {u"0x1A", 26},
        {u"0X1a", 26},
        {u"-$10", -16},
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"$7FFFFFFF", 2147483647},
        // Invalid: the whole text must be the number.
        {u"", std::nullopt},
        {u"   ", std::nullopt},
        {u"26abc", std::nullopt},
        {u"5 ", std::nullopt},
        {u"ine5", std::nullopt},
        {u"0x", std::nullopt},
        {u"$", std::nullopt},
        {u"x", std::nullopt},
        {u"-", std::nullopt},
        {u"1.5", std::nullopt},
        {u"\uFF15", std::nullopt}, // a full-width digit is not a digit here
        {u"$G", std::nullopt},
        // Out of range.
        {u"2147483648", std::nullopt},
        {u"-2147483649", std::nullopt},
        {u"$FFFFFFFF", std::nullopt},
        {u"99999999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInt32(c.text), c.expected) << test::Printable(c.text);
    }
}

struct UInt32Case {
    const char16_t* text;
    std::optional<std::uint32_t> expected;
};

TEST(IntegerTextTest, ReadsUnsignedIntegers) {
    const UInt32Case cases[] = {
        {u"932", 932u},
        {u"$3A4", 932u},
        {u"0x3A4", 932u},
        {u"4294967295", 4294967295u},
        {u"$FFFFFFFF", 4294967295u},
        {u"-0", 0u},
        {u"-1", std::nullopt},
        {u"4294967296", std::nullopt},
        {u"abc", std::nullopt},
        {u"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseUInt32(c.text), c.expected) << test::Printable(c.text);
    }
}

} // namespace
} // namespace nerula
