#pragma once

#include <functional>
#include <utility>

namespace nerula::test {

namespace detail {
inline std::function<bool(HWND)>& DialogHandler() {
    static std::function<bool(HWND)> handler;
    return handler;
}

// A dialog that is shown already and is not the one looked for.
inline HWND& PassedOver() {
    static HWND window = nullptr;
    return window;
}

inline BOOL CALLBACK FindDialog(HWND window, LPARAM result) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window) && window != PassedOver()) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

inline void CALLBACK DialogTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr || !DialogHandler()) {
        return;
    }
    // Taken out before it runs: the handler may start another WithModalDialog for a dialog
    // over this one, which stores its own handler in the same place.
    const std::function<bool(HWND)> handler = std::exchange(DialogHandler(), nullptr);
    KillTimer(nullptr, id);
    handler(dialog);
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

template <typename Action, typename OnDialog>
void WithModalDialogOver(HWND shown, Action action, OnDialog onDialog) {
    const HWND before = std::exchange(detail::PassedOver(), shown);
    WithModalDialog(action, onDialog);
    detail::PassedOver() = before;
}

} // namespace nerula::test
