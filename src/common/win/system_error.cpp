#include "common/win/system_error.h"

#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace nerula {

std::u16string SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const LocalMemory owner(buffer);
    std::wstring text(buffer != nullptr ? buffer : L"", length);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) {
        text.pop_back();
    }
    return ToU16(text);
}

} // namespace nerula
