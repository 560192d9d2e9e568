// The numeric edit's pair of windows, followed through a fake of them: which events a
// step, a typed text, a correction by the verification handler and a value set by the
// program fire, in which order, and what the windows show afterwards.

#include "controls/up_down_pair.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/exception.h"
#include "common/integer_text.h"
#include "common/text_format.h"

namespace nerula {
namespace {

using enum TNumericallyRelationship;
using Log = std::vector<std::string>;

std::string Narrow(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

const char* Name(TNumericallyRelationship relation) {
    switch (relation) {
    case nrAccord:
        return "accord";
    case nrDisaccord:
        return "disaccord";
    case nrNonNumber:
        return "nonnumber";
    }
    return "?";
}

// An edit and an up-down control that behave as the system's do: the up-down control
// takes a valid number within its range from its buddy whenever asked for its position,
// writes its position into its buddy, and keeps its position within the range.
class FakeWindows final : public UpDownPairWindows {
public:
    std::u16string Text() const override { return text; }
    void WriteText(std::u16string_view written) override {
        text = written;
        ++writes;
        pair->EditChanged();
    }
    bool HasUpDown() const override { return upDown; }
    std::int32_t ReportedPosition() override {
        if (attached) {
            const auto number = ParseInt32(text);
            if (number && *number >= minimum && *number <= maximum) {
                position = *number;
            }
        }
        return position;
    }
    void SendPosition(std::int32_t sent) override {
        position = std::clamp(sent, minimum, maximum);
        if (attached) {
            WriteText(ToDecimal(position));
        }
    }
    void Attach() override { attached = true; }
    void Detach() override { attached = false; }

    // The user types: the edit's text changes and the edit says so.
    void Type(std::u16string_view typed) {
        text = typed;
        pair->EditChanged();
    }
    // An arrow pressed: permission first, the number written, then the report, which
    // comes whether or not the step was allowed.
    void Step(int delta) {
        ReportedPosition();
        if (pair->StepRequested()) {
            const std::int32_t stepped = std::clamp(position + delta, minimum, maximum);
            if (stepped != position) {
                position = stepped;
                if (attached && text != ToDecimal(position)) {
                    WriteText(ToDecimal(position));
                }
            }
        }
        pair->Scrolled();
    }
    // The arrow released: one more report.
    void Release() { pair->Scrolled(); }

    UpDownPair* pair = nullptr;
    std::u16string text;
    bool upDown = true;
    bool attached = true;
    std::int32_t position = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 100;
    int writes = 0;
};

using Verifier = std::function<void(std::u16string&, std::int32_t&, TNumericallyRelationship)>;

class UpDownPairTest : public ::testing::Test {
protected:
    UpDownPairTest() {
        windows.pair = &pair;
        windows.text = u"50";
        windows.position = 50;
        events.OnChange = [this] { log.push_back("change"); };
        events.OnCount = [this] { log.push_back("count"); };
        SetVerifier(nullptr);
    }

    // Records each verification and then lets `then` act on it.
    void SetVerifier(Verifier then) {
        events.OnVerify = [this, then](std::u16string& text, std::int32_t& position,
                                       TNumericallyRelationship relation) {
            log.push_back("verify " + Narrow(text) + " " + std::to_string(position) + " " + Name(relation));
            if (then) {
                then(text, position, relation);
            }
        };
    }

    void ExpectShows(const std::u16string& text, std::int32_t position) const {
        EXPECT_EQ(windows.text, text);
        EXPECT_EQ(windows.position, position);
        EXPECT_TRUE(windows.attached);
        EXPECT_EQ(pair.UpdateCount(), 0);
    }

    FakeWindows windows;
    UpDownPairEvents events;
    UpDownPair pair{windows, events};
    Log log;
};

TEST_F(UpDownPairTest, AStepCountsThenVerifiesAndIsNoChange) {
    struct Case {
        int delta;
        std::u16string shown;
        Log expected;
    };
    const Case cases[] = {
        {1, u"51", {"count", "verify 51 51 accord"}},
        {-1, u"49", {"count", "verify 49 49 accord"}},
        {100, u"100", {"count", "verify 100 100 accord"}},
    };
    for (const Case& c : cases) {
        windows.text = u"50";
        windows.position = 50;
        log.clear();
        windows.Step(c.delta);
        EXPECT_EQ(log, c.expected) << c.delta;
        ExpectShows(c.shown, ParseInt32(c.shown).value());
        // The end of the press reports once more: a count, with no update left to end.
        windows.Release();
        Log released = c.expected;
        released.push_back("count");
        EXPECT_EQ(log, released) << c.delta;
        EXPECT_EQ(pair.UpdateCount(), 0);
    }
}

TEST_F(UpDownPairTest, AStepAtTheEndOfTheRangeStillEndsItsUpdate) {
    windows.text = u"100";
    windows.position = 100;
    windows.Step(1);
    EXPECT_EQ(log, (Log{"count", "verify 100 100 accord"}));
    EXPECT_EQ(pair.UpdateCount(), 0);
    windows.Type(u"99");
    EXPECT_EQ(log.at(2), "change");
}

TEST_F(UpDownPairTest, TypingChangesThenVerifiesAndIsNoCount) {
    struct Case {
        std::u16string typed;
        Log expected;
    };
    const Case cases[] = {
        {u"507", {"change", "verify 507 50 disaccord"}}, // beyond Max: the position stays
        {u"5", {"change", "verify 5 5 accord"}},         {u"200", {"change", "verify 200 50 disaccord"}},
        {u"", {"change", "verify  50 nonnumber"}},       {u"-1", {"change", "verify -1 50 disaccord"}},
    };
    for (const Case& c : cases) {
        windows.text = u"50";
        windows.position = 50;
        log.clear();
        windows.Type(c.typed);
        EXPECT_EQ(log, c.expected) << Narrow(c.typed);
        EXPECT_EQ(pair.UpdateCount(), 0);
        EXPECT_EQ(windows.text, c.typed); // nothing corrected it
    }
}

TEST_F(UpDownPairTest, CorrectingOnlyTheTextVerifiesTheCorrectedPairOnceMore) {
    SetVerifier([](std::u16string& text, std::int32_t& position, TNumericallyRelationship relation) {
        if (relation != nrAccord) {
            text = ToDecimal(position);
        }
    });
    windows.Type(u"200");
    // The position assignment of the correction finds the position unchanged, ends the
    // verification's update and so verifies the corrected pair, nested.
    EXPECT_EQ(log, (Log{"change", "verify 200 50 disaccord", "count", "verify 50 50 accord"}));
    ExpectShows(u"50", 50);
}

TEST_F(UpDownPairTest, CorrectionsEndWithTheTextShowingThePosition) {
    struct Case {
        const char* what;
        std::u16string text;   // what the handler gives back, the first time
        std::int32_t position; //
        Log expected;
        std::u16string shown;
        std::int32_t shownPosition;
    };
    const Case cases[] = {
        {"both moved", u"100", 100, {"change", "verify 200 50 disaccord", "count"}, u"100", 100},
        {"position moved, text left", u"200", 70, {"change", "verify 200 50 disaccord", "count"}, u"70", 70},
        {"text other than the new position",
         u"abc",
         30,
         {"change", "verify 200 50 disaccord", "count"},
         u"30",
         30},
        {"position beyond Max", u"200", 300, {"change", "verify 200 50 disaccord", "count"}, u"100", 100},
    };
    for (const Case& c : cases) {
        windows.text = u"50";
        windows.position = 50;
        log.clear();
        bool first = true;
        SetVerifier([&](std::u16string& text, std::int32_t& position, TNumericallyRelationship) {
            if (std::exchange(first, false)) {
                text = c.text;
                position = c.position;
            }
        });
        windows.Type(u"200");
        EXPECT_EQ(log, c.expected) << c.what;
        EXPECT_EQ(windows.text, c.shown) << c.what;
        EXPECT_EQ(windows.position, c.shownPosition) << c.what;
        EXPECT_TRUE(windows.attached) << c.what;
        EXPECT_EQ(pair.UpdateCount(), 0) << c.what;
    }
}

TEST_F(UpDownPairTest, AHandlerThatChangesNothingCausesNoCorrection) {
    SetVerifier([](std::u16string&, std::int32_t&, TNumericallyRelationship) {});
    windows.Type(u"200");
    EXPECT_EQ(log, (Log{"change", "verify 200 50 disaccord"}));
    EXPECT_EQ(windows.writes, 0);
    EXPECT_EQ(windows.text, u"200");
}

TEST_F(UpDownPairTest, SettingAnotherValueCountsAndVerifiesOnce) {
    pair.SetValue(30);
    EXPECT_EQ(log, (Log{"count", "verify 30 30 accord"}));
    ExpectShows(u"30", 30);
    EXPECT_EQ(pair.Value(), 30);
}

TEST_F(UpDownPairTest, SettingTheCurrentPositionWithAnotherTextVerifiesTwiceAndChangesOnce) {
    windows.text = u"abc";
    pair.SetValue(50);
    // The assignment of the unchanged position ends the value's update early; the text
    // is then written outside any update.
    EXPECT_EQ(log, (Log{"count", "verify abc 50 nonnumber", "change", "verify 50 50 accord"}));
    ExpectShows(u"50", 50);
}

TEST_F(UpDownPairTest, AssigningThePositionCountsAndEndsAnUpdateEvenWhenUnchanged) {
    struct Case {
        std::int32_t position;
        int openedBefore;
        int countAfter;
        Log expected;
    };
    const Case cases[] = {
        {60, 0, 0, {"count", "verify 60 60 accord"}},
        {50, 0, 0, {"count"}},                        // nothing to end: no verification
        {50, 1, 0, {"count", "verify 50 50 accord"}}, // ends the caller's update
        {60, 1, 1, {"count"}},                        // its own update, the caller's stays
    };
    for (const Case& c : cases) {
        windows.text = u"50";
        windows.position = 50;
        log.clear();
        for (int i = 0; i < c.openedBefore; ++i) {
            pair.BeginUpdate();
        }
        pair.SetPosition(c.position);
        EXPECT_EQ(log, c.expected) << c.position << " " << c.openedBefore;
        EXPECT_EQ(pair.UpdateCount(), c.countAfter) << c.position << " " << c.openedBefore;
        while (pair.UpdateCount() > 0) {
            pair.EndUpdate();
        }
    }
}

TEST_F(UpDownPairTest, UpdatesNestAndOnlyTheLastEndVerifies) {
    pair.BeginUpdate();
    pair.BeginUpdate();
    windows.Type(u"7");
    EXPECT_TRUE(log.empty()); // inside an update a text change is no change
    pair.EndUpdate();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(pair.UpdateCount(), 1);
    pair.EndUpdate();
    EXPECT_EQ(log, (Log{"verify 7 7 accord"}));
    pair.EndUpdate(); // none open: nothing, and the count stays at 0
    EXPECT_EQ(pair.UpdateCount(), 0);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(UpDownPairTest, WhileLoadingTheLastEndDoesNotVerify) {
    pair.SetLoading(true);
    pair.BeginUpdate();
    pair.EndUpdate();
    windows.Type(u"8");
    EXPECT_EQ(log, (Log{"change"}));
    pair.SetLoading(false);
    windows.Type(u"9");
    EXPECT_EQ(log, (Log{"change", "change", "verify 9 9 accord"}));
}

TEST_F(UpDownPairTest, WithoutAVerifierNothingIsVerified) {
    events.OnVerify = nullptr;
    windows.Type(u"200");
    windows.Step(1);
    EXPECT_EQ(log, (Log{"change", "count"}));
    EXPECT_EQ(windows.text, u"51");
    EXPECT_EQ(pair.UpdateCount(), 0);
}

TEST_F(UpDownPairTest, WithoutTheUpDownTheTextIsTheValue) {
    windows.upDown = false;
    windows.text = u"$20";
    EXPECT_EQ(pair.Value(), 32);
    EXPECT_EQ(pair.Relation(), nrAccord);
    pair.SetValue(12);
    EXPECT_EQ(windows.text, u"12");
    EXPECT_TRUE(log.empty()); // no count and no verification without the up-down
    windows.text = u"12a";
    EXPECT_EQ(pair.Relation(), nrNonNumber);
    try {
        static_cast<void>(pair.Value());
        ADD_FAILURE() << "a text that is no number has no value";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"\"12a\" は有効な整数ではありません");
    }
}

TEST_F(UpDownPairTest, TheValueIsTheReportedPosition) {
    windows.text = u"70";
    EXPECT_EQ(pair.Value(), 70); // a valid number within the range is taken
    windows.text = u"700";
    EXPECT_EQ(pair.Value(), 70);
    windows.text = u"x";
    EXPECT_EQ(pair.Value(), 70);
}

TEST_F(UpDownPairTest, RelationComparesTheTextWithTheReportedPosition) {
    struct Case {
        std::u16string text;
        std::int32_t position;
        TNumericallyRelationship expected;
    };
    const Case cases[] = {
        {u"", 5, nrNonNumber},    {u" 5", 5, nrAccord},
        {u"$10", 16, nrAccord},   {u"5", 7, nrAccord}, // 5 is within the range: the up-down control takes it
        {u"500", 7, nrDisaccord},
    };
    for (const Case& c : cases) {
        windows.text = c.text;
        windows.position = c.position;
        EXPECT_EQ(pair.Relation(), c.expected) << Narrow(c.text);
    }
    windows.attached = false; // apart, the position is the up-down control's own
    windows.text = u"5";
    windows.position = 7;
    EXPECT_EQ(pair.Relation(), nrDisaccord);
}

TEST_F(UpDownPairTest, AFailingHandlerLeavesNoUpdateOpen) {
    enum class Failing { Change, Count, Verify };
    struct Case {
        Failing failing;
        const char* action;
        std::function<void()> act;
    };
    const Case cases[] = {
        {Failing::Change, "typing", [this] { windows.Type(u"1"); }},
        {Failing::Count, "a step", [this] { windows.Step(1); }},
        {Failing::Count, "a value", [this] { pair.SetValue(40); }},
        {Failing::Verify, "typing", [this] { windows.Type(u"1"); }},
        {Failing::Verify, "a step", [this] { windows.Step(1); }},
        {Failing::Verify, "a value", [this] { pair.SetValue(40); }},
    };
    const UpDownPairEvents working = events;
    for (const Case& c : cases) {
        events = working;
        switch (c.failing) {
        case Failing::Change:
            events.OnChange = [] { throw Exception(u"change"); };
            break;
        case Failing::Count:
            events.OnCount = [] { throw Exception(u"count"); };
            break;
        case Failing::Verify:
            events.OnVerify = [](std::u16string&, std::int32_t&, TNumericallyRelationship) {
                throw Exception(u"verify");
            };
            break;
        }
        EXPECT_THROW(c.act(), Exception) << c.action << " " << static_cast<int>(c.failing);
        EXPECT_EQ(pair.UpdateCount(), 0) << c.action << " " << static_cast<int>(c.failing);
        // The next change by the user is a change again.
        events = working;
        log.clear();
        windows.Type(u"2");
        EXPECT_EQ(log, (Log{"change", "verify 2 2 accord"}))
            << c.action << " " << static_cast<int>(c.failing);
    }
}

TEST_F(UpDownPairTest, AFailingVerifierDuringACorrectionStillJoinsTheWindows) {
    int calls = 0;
    events.OnVerify = [&](std::u16string& text, std::int32_t&, TNumericallyRelationship) {
        if (++calls == 1) {
            text = u"abc"; // corrected: the nested verification of the unchanged position fails
            return;
        }
        throw Exception(u"verify");
    };
    EXPECT_THROW(windows.Type(u"200"), Exception);
    EXPECT_TRUE(windows.attached);
    EXPECT_EQ(windows.text, u"50");
    EXPECT_EQ(pair.UpdateCount(), 0);
}

} // namespace
} // namespace nerula
