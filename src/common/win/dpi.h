#pragma once
// The DPI that a window is shown at, and the window size that gives a client area of a
// size at a DPI. The functions that only newer Windows has are looked up at run time, so
// that the program still starts where they are missing.

#include <windows.h>

namespace nerula {

inline constexpr unsigned kDesignDpi = 96;

// The screen's pixels per logical inch (the system DPI); 96 where the screen gives none.
unsigned ScreenDpi() noexcept;

// The DPI of the monitor a window is on, as the window sees it: GetDpiForWindow where
// user32 has it (Windows 10 1607 and later), otherwise the screen's; 96 where both fail.
// Without a window (or with one that no longer exists) the screen's.
unsigned WindowDpi(HWND window) noexcept;

// The outer size of a window whose client area is clientWidth x clientHeight, with the
// frame measured at `dpi`: AdjustWindowRectExForDpi where user32 has it, otherwise
// AdjustWindowRectEx, which measures the frame at the system DPI.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu,
                         unsigned dpi) noexcept;

// Keeps the dialog manager from scaling a dialog and its controls itself when the dialog
// moves to a monitor of another DPI (SetDialogDpiChangeBehavior, Windows 10 1703 and
// later; nothing to keep it from elsewhere): Nerula's dialogs lay themselves out again.
void DisableDialogDpiScaling(HWND dialog) noexcept;

} // namespace nerula
