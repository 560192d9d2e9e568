#include "app/hand_off.h"

#include "common/text_format.h"

namespace nerula {

std::u16string QuotePath(std::u16string_view path) {
    std::u16string quoted = u"\"";
    for (const char16_t c : path) {
        quoted += c;
        if (c == u'"') {
            quoted += c;
        }
    }
    quoted += u'"';
    return quoted;
}

std::u16string HandOffParameters(const FileRequest& request) {
    // The code page travels as a signed decimal, as the receiving side reads it back.
    const auto codePage = static_cast<std::int32_t>(request.switches.codePage);
    return FormatText(u"/C%d /L%d /D%d %s", {ToDecimal(codePage), ToDecimal(request.switches.line),
                                             ToDecimal(request.switches.column), QuotePath(request.path)});
}

} // namespace nerula
