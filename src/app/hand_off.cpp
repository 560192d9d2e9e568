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
    // The receiving side reads the code page back as an unsigned number: written signed,
    // one of 2^31 or more would arrive negative and so be dropped.
    return FormatText(u"/C%d /L%d /D%d %s",
                      {ToDecimal(request.switches.codePage), ToDecimal(request.switches.line),
                       ToDecimal(request.switches.column), QuotePath(request.path)});
}

} // namespace nerula
