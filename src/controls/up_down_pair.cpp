#include "controls/up_down_pair.h"

#include "common/exception.h"
#include "common/integer_text.h"
#include "common/text_format.h"

namespace nerula {

void UpDownPair::EndUpdate() {
    if (updateCount_ <= 0) {
        return;
    }
    --updateCount_;
    if (updateCount_ == 0 && !loading_) {
        Verify();
    }
}

std::int32_t UpDownPair::Value() const {
    if (windows_.HasUpDown()) {
        return windows_.ReportedPosition();
    }
    const std::u16string text = windows_.Text();
    const auto value = ParseInt32(text);
    if (!value) {
        throw Exception(u"\"" + text + u"\" は有効な整数ではありません");
    }
    return *value;
}

void UpDownPair::SetValue(std::int32_t value) {
    BeginUpdate();
    try {
        SetPosition(value);
        WriteTextIfChanged(ToDecimal(value));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void UpDownPair::SetPosition(std::int32_t position) {
    if (!windows_.HasUpDown()) {
        return;
    }
    if (position != windows_.ReportedPosition()) {
        BeginUpdate();
        windows_.SendPosition(position);
    }
    FireThenEndUpdate(events_.OnCount);
}

TNumericallyRelationship UpDownPair::Relation() const {
    const std::u16string text = windows_.Text();
    if (!windows_.HasUpDown()) {
        return ParseInt32(text) ? TNumericallyRelationship::nrAccord : TNumericallyRelationship::nrNonNumber;
    }
    return NumericRelation(text, windows_.ReportedPosition());
}

void UpDownPair::EditChanged() {
    // Inside an update the change is the update's own: a step writing its number, a
    // correction, a value being set.
    if (updateCount_ > 0) {
        return;
    }
    BeginUpdate();
    FireThenEndUpdate(events_.OnChange);
}

bool UpDownPair::StepRequested() noexcept {
    // The update ends with the scroll notification that the step sends in any case.
    BeginUpdate();
    return true;
}

void UpDownPair::Scrolled() {
    FireThenEndUpdate(events_.OnCount);
}

void UpDownPair::Verify() {
    if (!windows_.HasUpDown() || !events_.OnVerify) {
        return;
    }
    // The correction's own changes must not count as the user's.
    ++updateCount_;
    try {
        std::u16string text = windows_.Text();
        std::int32_t position = windows_.ReportedPosition();
        const TNumericallyRelationship relation = NumericRelation(text, position);
        events_.OnVerify(text, position, relation);
        if (text != windows_.Text() || (windows_.HasUpDown() && position != windows_.ReportedPosition())) {
            Correct(text, position);
        }
    } catch (...) {
        if (updateCount_ > 0) {
            --updateCount_;
        }
        throw;
    }
    if (updateCount_ > 0) {
        --updateCount_;
    }
}

void UpDownPair::Correct(const std::u16string& text, std::int32_t position) {
    // Apart, so that the text and the position can each be given what the handler chose;
    // joined again, the edit shows the position.
    if (windows_.HasUpDown()) {
        windows_.Detach();
    }
    try {
        WriteTextIfChanged(text);
        SetPosition(position);
    } catch (...) {
        Reattach();
        throw;
    }
    Reattach();
}

void UpDownPair::Reattach() {
    if (!windows_.HasUpDown()) {
        return;
    }
    // Read while still apart: the up-down control's own position, not the edit's number.
    const std::int32_t position = windows_.ReportedPosition();
    windows_.Attach();
    WriteTextIfChanged(ToDecimal(position));
}

void UpDownPair::WriteTextIfChanged(std::u16string_view text) {
    // Writing the same text again would still be reported as a change.
    if (windows_.Text() != text) {
        windows_.WriteText(text);
    }
}

void UpDownPair::FireThenEndUpdate(const std::function<void()>& event) {
    try {
        if (event) {
            event();
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

} // namespace nerula
