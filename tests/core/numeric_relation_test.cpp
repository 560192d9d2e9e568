// How a numeric edit's text stands to its up-down control's position, by the integer rule.

#include "controls/numeric_relation.h"

#include <gtest/gtest.h>

#include <string>

namespace nerula {
namespace {

using enum TNumericallyRelationship;

TEST(NumericRelation, ReadsTheTextByTheIntegerRule) {
    struct Case {
        std::u16string text;
        std::int32_t position;
        TNumericallyRelationship expected;
    };
    const Case cases[] = {
        {u"", 0, nrNonNumber},
        {u" 5", 5, nrAccord},
        {u"$10", 16, nrAccord},
        {u"5", 7, nrDisaccord},
        {u"-3", -3, nrAccord},
        {u"0x1F", 31, nrAccord},
        {u"5 ", 5, nrNonNumber},
        {u"abc", 0, nrNonNumber},
        {u"1,000", 1000, nrNonNumber},
        {u"2147483648", 0, nrNonNumber},
        {u"-2147483648", -2147483647 - 1, nrAccord},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumericRelation(c.text, c.position), c.expected)
            << std::string(c.text.begin(), c.text.end()) << " & " << c.position;
    }
}

} // namespace
} // namespace nerula
