#include "search/find_options.h"

#include <gtest/gtest.h>

#include <iterator>

namespace nerula {
namespace {

using enum TREFindOption;

TEST(TREFindOptions, EachMemberIsTheBitOfItsPosition) {
    const TREFindOption inOrder[] = {
        frDown,       frFindNext,         frHideMatchCase,    frHideWholeWord,    frHideUpDown,
        frMatchCase,  frDisableMatchCase, frDisableUpDown,    frDisableWholeWord, frReplace,
        frReplaceAll, frWholeWord,        frShowHelp,         frHideUsesRegexp,   frDisableUsesRegexp,
        frUsesRegexp, frHideMultiLine,    frDisableMultiLine, frMultiLine,
    };
    static_assert(std::size(inOrder) == kFindOptionCount);
    for (int n = 0; n < kFindOptionCount; ++n) {
        const TREFindOption option = inOrder[n];
        EXPECT_EQ(static_cast<int>(option), n);
        EXPECT_EQ(TREFindOptions(option).Bits(), 1u << n) << n;
        EXPECT_TRUE(TREFindOptions::FromBits(1u << n).Has(option)) << n;
        EXPECT_FALSE(TREFindOptions::FromBits(~(1u << n)).Has(option)) << n;
    }
}

TEST(TREFindOptions, ANewComponentSearchesDownWithRegularExpressions) {
    EXPECT_EQ(kDefaultFindOptions.Bits(), 0x08001u);
    EXPECT_TRUE(kDefaultFindOptions.Has(frDown));
    EXPECT_TRUE(kDefaultFindOptions.Has(frUsesRegexp));
    EXPECT_FALSE(kDefaultFindOptions.Has(frMatchCase));
    EXPECT_FALSE(kDefaultFindOptions.Has(frWholeWord));
    EXPECT_TRUE(TREFindOptions().Empty());
}

TEST(TREFindOptions, WithAddsWithoutRemovesAndTheOthersStay) {
    const TREFindOptions set = kDefaultFindOptions.With(frMatchCase | frWholeWord);
    EXPECT_EQ(set.Bits(), 0x08001u | (1u << 5) | (1u << 11));
    EXPECT_EQ(set.Without(frDown), (TREFindOptions{frUsesRegexp, frMatchCase, frWholeWord}));
    EXPECT_EQ(set.Without(frMultiLine), set); // removing what is not there changes nothing
    EXPECT_EQ(set.With(frDown), set);
    EXPECT_EQ(TREFindOptions(frDown) | frUsesRegexp, kDefaultFindOptions);
    EXPECT_NE(set, kDefaultFindOptions);
}

TEST(TREFindOptions, BitsBeyondTheLastMemberAreDropped) {
    EXPECT_EQ(TREFindOptions::FromBits(0xFFFFFFFFu).Bits(), 0x7FFFFu);
    EXPECT_EQ(TREFindOptions::FromBits(1u << 19), TREFindOptions());
}

TEST(TREFindOptions, TheActionsAreFindNextReplaceAndReplaceAll) {
    EXPECT_EQ(kFindActions.Bits(), (1u << 1) | (1u << 9) | (1u << 10));
    EXPECT_TRUE(TREFindOptions(frReplaceAll).HasAny(kFindActions));
    EXPECT_FALSE(kDefaultFindOptions.With(frMatchCase).HasAny(kFindActions));
    EXPECT_EQ(kDefaultFindOptions.With(frFindNext).Without(kFindActions), kDefaultFindOptions);
}

} // namespace
} // namespace nerula
