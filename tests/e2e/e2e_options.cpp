#include "e2e_options.h"

#include <windows.h>

namespace nerula::e2e {
namespace {

Options& Stored() {
    static Options options;
    return options;
}

} // namespace

const Options& GetOptions() {
    return Stored();
}

void SetOptions(Options options) {
    Stored() = std::move(options);
}

std::wstring WindowsPathFromUnix(std::wstring_view unixPath) {
    if (unixPath.empty() || unixPath.front() != L'/') {
        return std::wstring();
    }
    std::wstring path = L"Z:";
    for (const wchar_t c : unixPath) {
        path += c == L'/' ? L'\\' : c;
    }
    // "Z:\a\" and "Z:\a" name the same folder; callers append "\name".
    while (path.size() > 3 && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

std::string Utf8(std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring FileNameOf(std::wstring_view path) {
    const auto slash = path.find_last_of(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

} // namespace nerula::e2e
