#pragma once
// The top-level windows on the display, as any other program sees them.

#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

namespace nerula::e2e {

inline constexpr DWORD kAnyProcess = 0;

// Top-level windows of the class, of one process or of any, hidden ones included.
std::vector<HWND> TopLevelWindows(std::wstring_view className, DWORD processId = kAnyProcess);

// The program's main windows.
std::vector<HWND> MainForms(DWORD processId = kAnyProcess);

DWORD ProcessOf(HWND window);
std::wstring ClassNameOf(HWND window);
std::wstring TextOf(HWND window);

} // namespace nerula::e2e
