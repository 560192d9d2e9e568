#pragma once
// Message boxes of another process, read and answered from outside: found by the dialog
// class "#32770", read through their caption and static text, closed by a posted command.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace nerula::e2e {

struct MessageBoxView {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};

// Visible top-level dialog windows of the process: message boxes and common dialogs.
std::vector<HWND> DialogWindows(DWORD processId);

// A visible message box of the process (a dialog with an OK button and no file-name
// field), or nullptr.
HWND FindMessageBox(DWORD processId);

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout);

MessageBoxView ReadMessageBox(HWND box);

// The text of a control of another process, asked for with a time limit so that a hung
// program cannot hang the driver.
std::wstring ControlText(HWND control);

void PressOk(HWND box);

// True once the window no longer exists or is hidden.
bool WaitUntilGone(HWND window, std::chrono::milliseconds timeout);

} // namespace nerula::e2e
