#pragma once
// A numeric edit and its up-down control as one: when the user's change, a step of the
// arrows or a change made by the program counts as a change of the text (OnChange) or a
// change of the position (OnCount), and when the pair is verified (OnVerify).
//
// Every change runs inside an update (BeginUpdate ... EndUpdate); the verification runs
// when the outermost update ends. A handler of OnVerify may change the text and the
// position it is given; the pair then corrects the windows so that the edit shows the
// up-down control's position.
//
// The windows themselves are behind an interface, so that the order of the events can be
// followed without them.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "controls/numeric_relation.h"

namespace nerula {

// The edit and the up-down control as the pair needs them.
class UpDownPairWindows {
public:
    virtual ~UpDownPairWindows() = default;

    virtual std::u16string Text() const = 0;
    // Writes the edit's text; the edit reports the change (the pair's EditChanged) before
    // this returns. The pair writes only a text other than the current one.
    virtual void WriteText(std::u16string_view text) = 0;

    // False once the up-down control is gone; the calls below are then not made.
    virtual bool HasUpDown() const = 0;
    // The position as the up-down control reports it: while the edit is its buddy, the
    // edit's number when that is a valid number within the range (which it then keeps as
    // its position), else its own position; without the buddy, its own position.
    virtual std::int32_t ReportedPosition() = 0;
    // Gives the up-down control a position, which it writes into the edit while that is
    // its buddy.
    virtual void SendPosition(std::int32_t position) = 0;
    // Makes the edit the up-down control's buddy again, or takes it away.
    virtual void Attach() = 0;
    virtual void Detach() = 0;
};

struct UpDownPairEvents {
    // The text changed, by the user or by the program, outside any update.
    std::function<void()> OnChange;
    // The position was stepped or assigned.
    std::function<void()> OnCount;
    // The pair is to be verified: the handler may change the text and the position.
    std::function<void(std::u16string& text, std::int32_t& position, TNumericallyRelationship relation)>
        OnVerify;
};

class UpDownPair {
public:
    // The windows and the events must outlive the pair.
    UpDownPair(UpDownPairWindows& windows, const UpDownPairEvents& events) noexcept
        : windows_(windows), events_(events) {}
    UpDownPair(const UpDownPair&) = delete;
    UpDownPair& operator=(const UpDownPair&) = delete;

    std::int32_t UpdateCount() const noexcept { return updateCount_; }
    void BeginUpdate() noexcept { ++updateCount_; }
    // Does nothing when no update is open; the end of the last one verifies the pair,
    // unless the pair is still being set up.
    void EndUpdate();

    // While the control is being set up its updates end without verifying.
    bool Loading() const noexcept { return loading_; }
    void SetLoading(bool loading) noexcept { loading_ = loading; }

    // The up-down control's reported position when it exists, else the edit's number; a
    // text that is no number throws an Exception.
    std::int32_t Value() const;
    // Sets both, as one update.
    void SetValue(std::int32_t value);
    // Assigns the up-down control's position (nothing without it): sent when it differs
    // from the reported one; then OnCount fires and an update ends, whether or not this
    // assignment opened one.
    void SetPosition(std::int32_t position);

    // The text against the reported position; without the up-down control, a number
    // counts as accord.
    TNumericallyRelationship Relation() const;

    // The windows' notifications, in the order in which they come.
    // The edit's text changed (EN_CHANGE).
    void EditChanged();
    // The up-down control asks to step (UDN_DELTAPOS); the answer is whether it may.
    bool StepRequested() noexcept;
    // The up-down control reports its position (WM_VSCROLL or WM_HSCROLL), after a step
    // and at the end of a press.
    void Scrolled();

private:
    void Verify();
    void Correct(const std::u16string& text, std::int32_t position);
    void Reattach();
    void WriteTextIfChanged(std::u16string_view text);
    // Runs one event and then ends the update, also when the event throws.
    void FireThenEndUpdate(const std::function<void()>& event);

    UpDownPairWindows& windows_;
    const UpDownPairEvents& events_;
    std::int32_t updateCount_ = 0;
    bool loading_ = false;
};

} // namespace nerula
