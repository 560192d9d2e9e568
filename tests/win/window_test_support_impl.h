#pragma once

#include <functional>

namespace nerula::test {

namespace detail {
inline std::function<bool(HWND)>& DialogHandler() {
    static std::function<bool(HWND)> handler;
    return handler;
}

inline BOOL CALLBACK FindDialog(HWND window, LPARAM result) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

inline void CALLBACK DialogTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog != nullptr && DialogHandler() && DialogHandler()(dialog)) {
        KillTimer(nullptr, id);
        DialogHandler() = nullptr;
    }
}
} // namespace detail

template <typename Action, typename OnDialog>
void WithModalDialog(Action action, OnDialog onDialog) {
    detail::DialogHandler() = [onDialog](HWND dialog) {
        onDialog(dialog);
        return true;
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &detail::DialogTimer);
    action();
    KillTimer(nullptr, timer);
    detail::DialogHandler() = nullptr;
}

} // namespace nerula::test
