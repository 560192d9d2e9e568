#include "common/win/window_text.h"

#include "common/win/wide.h"

namespace nerula {

std::u16string WindowText(HWND window) {
    // The length may overstate (it may count a multi-byte form); the copy says what it took.
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return ToU16(text);
}

} // namespace nerula
