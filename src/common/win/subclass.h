#pragma once
// A procedure in front of a window's own (SetWindowSubclass, never GWLP_WNDPROC), for as
// long as this object lives or the window does, whichever ends first. The procedure
// passes what it leaves alone to DefSubclassProc. An exception from it is presented and
// the message counts as handled (0); the subclass stays.

#include <functional>

#include <windows.h>
#include <commctrl.h>

namespace nerula {

class WindowSubclass {
public:
    using Procedure = std::function<LRESULT(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;

    // Throws if the window cannot be subclassed.
    WindowSubclass(HWND window, Procedure procedure);
    // Removes the subclass if the window still has it.
    ~WindowSubclass();
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // The window while the subclass is on it; nullptr once the window is destroyed.
    HWND Window() const noexcept { return window_; }
    bool Attached() const noexcept { return window_ != nullptr; }

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);

    HWND window_;
    Procedure procedure_;
};

} // namespace nerula
