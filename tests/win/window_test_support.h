#pragma once
// Helpers for driving windows in the test process.

#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>

namespace nerula::test {

// Handles every message waiting for this thread.
void PumpMessages();

// A drop handle as the shell makes it for WM_DROPFILES (wide paths); DragFinish frees it.
HDROP MakeDrop(const std::vector<std::wstring>& paths);

void SetClipboardText(HWND owner, const std::wstring& text);
std::wstring ClipboardText(HWND owner);

// Runs the menu's opening logic, as Windows does before a menu drops down or a shortcut
// is carried out, and answers whether the item is enabled.
bool MenuItemEnabled(HWND window, int menuPosition, UINT id);

// Runs `action` (which shows a modal dialog) and, from a timer inside the dialog's own
// message loop, hands the first dialog window that this thread shows to `onDialog`.
template <typename Action, typename OnDialog>
void WithModalDialog(Action action, OnDialog onDialog);

// The same for a dialog shown over another dialog that is shown already.
template <typename Action, typename OnDialog>
void WithModalDialogOver(HWND shown, Action action, OnDialog onDialog);

std::wstring FullPath(const std::wstring& path);

// UTF-8, for failure messages.
std::string Narrow(const std::wstring& text);

} // namespace nerula::test

#include "window_test_support_impl.h"
