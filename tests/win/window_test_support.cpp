#include "window_test_support.h"

#include <cstring>

#include <shlobj.h>

namespace nerula::test {

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    std::size_t chars = 1;
    for (const auto& path : paths) {
        chars += path.size() + 1;
    }
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
    for (const auto& path : paths) {
        std::memcpy(out, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        out += path.size() + 1;
    }
    *out = L'\0';
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void SetClipboardText(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) {
        return;
    }
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) {
        return L"<clipboard unavailable>";
    }
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool MenuItemEnabled(HWND window, int menuPosition, UINT id) {
    const HMENU menu = GetSubMenu(GetMenu(window), menuPosition);
    SendMessageW(window, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(window)), 0);
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(menuPosition, FALSE));
    return (GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t buffer[4096];
    const DWORD length = GetFullPathNameW(path.c_str(), 4096, buffer, nullptr);
    return std::wstring(buffer, length);
}

std::string Narrow(const std::wstring& text) {
    std::string narrow(text.size() * 3, '\0');
    narrow.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                            static_cast<int>(narrow.size()), nullptr, nullptr)));
    return narrow;
}

} // namespace nerula::test
