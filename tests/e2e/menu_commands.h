#pragma once
// Command IDs of the program's main menu, found by caption. Another process's menu cannot
// be read under Wine, so the menu is loaded from the program file's resources instead.

#include <string>
#include <string_view>

#include <windows.h>

namespace nerula::e2e {

// The ID of the menu item whose caption (the text before any "\t" shortcut) is `caption`,
// e.g. L"終了(&X)". Throws std::runtime_error when the program has no such item.
UINT MenuCommandId(const std::wstring& program, std::wstring_view caption);

// Posts the command to the window, as choosing the menu item does.
void PostMenuCommand(HWND window, UINT id);

} // namespace nerula::e2e
