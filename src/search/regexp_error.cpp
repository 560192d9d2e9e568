#include "search/regexp_error.h"

namespace nerula {
namespace {

bool IsTrimmed(char16_t unit) {
    // A Japanese system's descriptions end with an ideographic full stop.
    return unit <= u' ' || unit == u'.' || unit == u'\u3002';
}

std::u16string_view TrimEnd(std::u16string_view text) {
    while (!text.empty() && IsTrimmed(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::u16string ObjectErrorMessage(std::u16string_view description, std::u16string_view systemText,
                                  std::uint32_t code) {
    if (const std::u16string_view trimmed = TrimEnd(description); !trimmed.empty()) {
        return std::u16string(trimmed);
    }
    if (!systemText.empty()) {
        return std::u16string(systemText);
    }
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string message = u"OLE エラー ";
    for (int shift = 28; shift >= 0; shift -= 4) {
        message.push_back(kDigits[(code >> shift) & 0xF]);
    }
    return message;
}

} // namespace nerula
