#include "desktop_windows.h"

namespace nerula::e2e {
namespace {

struct Search {
    std::wstring_view className;
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    if (ClassNameOf(window) == search.className &&
        (search.processId == kAnyProcess || ProcessOf(window) == search.processId)) {
        search.found.push_back(window);
    }
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(std::wstring_view className, DWORD processId) {
    Search search{className, processId, {}};
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> MainForms(DWORD processId) {
    return TopLevelWindows(L"TMainForm", processId);
}

DWORD ProcessOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

std::wstring TextOf(HWND window) {
    // For another process's window this is the text the system keeps for it (a caption),
    // read without waiting on that process.
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? copied : 0);
    return text;
}

} // namespace nerula::e2e
