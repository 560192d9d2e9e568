#include "controls/select_directory_text.h"

namespace nerula {

std::u16string InvalidPathMessage(std::u16string_view name) {
    std::u16string message = u"\"";
    message += name;
    message += u"\" は無効なパスです";
    return message;
}

} // namespace nerula
