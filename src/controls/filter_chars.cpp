#include "controls/filter_chars.h"

namespace nerula {
namespace {

// The editing keys that an edit receives as characters: without them a filtered edit
// could not select, copy, delete, paste, cut, undo, or pass Enter and Escape on to its
// dialog.
bool IsEditingKey(char16_t c) noexcept {
    switch (c) {
    case 1:  // Ctrl+A
    case 3:  // Ctrl+C
    case 8:  // Backspace
    case 13: // Enter
    case 22: // Ctrl+V
    case 24: // Ctrl+X
    case 26: // Ctrl+Z
    case 27: // Escape
        return true;
    default:
        return false;
    }
}

bool MemberAdmits(TFilterChar member, char16_t c) noexcept {
    switch (member) {
    case TFilterChar::fcAllowPositive:
        return c == u'+';
    case TFilterChar::fcAllowNegative:
        return c == u'-';
    case TFilterChar::fcAllowHexdigit:
        return c == u'$' || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f') || c == u'X' || c == u'x';
    case TFilterChar::fcAllowReal:
        return c == u'.' || c == u'E' || c == u'e';
    case TFilterChar::fcAllowSeparater:
        return c == u',';
    case TFilterChar::fcAllowDecimal:  // the digits are taken before any member is asked
    case TFilterChar::fcRejectProcess: // changes how a paste ends, admits nothing
        return false;
    }
    return false;
}

} // namespace

bool FilterAccepts(TFilterChars filters, char16_t c) noexcept {
    if (filters.Empty()) {
        return true;
    }
    if (c > 0xFF) {
        return false;
    }
    if (IsEditingKey(c) || (c >= u'0' && c <= u'9')) {
        return true;
    }
    for (int bit = 0; bit < kFilterCharCount; ++bit) {
        const auto member = static_cast<TFilterChar>(bit);
        if (filters.Has(member) && MemberAdmits(member, c)) {
            return true;
        }
    }
    return false;
}

FilteredPaste FilterPastedText(TFilterChars filters, std::u16string_view text) {
    FilteredPaste result;
    result.text.reserve(text.size());
    for (const char16_t c : text) {
        // The editing keys pass the rule as keys; pasted, they would be characters in the
        // text (a line break in a number), so a filtered paste refuses them.
        const bool control = c < u' ' && !filters.Empty();
        if (!control && FilterAccepts(filters, c)) {
            result.text.push_back(c);
        } else {
            result.refused = true;
        }
    }
    return result;
}

} // namespace nerula
