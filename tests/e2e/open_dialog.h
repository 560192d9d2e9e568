#pragma once
// The common file-open dialog of another process, filled in and confirmed from outside.

#include <chrono>
#include <string>

#include <windows.h>

namespace nerula::e2e {

// The dialog's file-name field: the combo box of the explorer-style dialog, or the edit
// field of the older layout; nullptr for any other dialog.
HWND FileNameField(HWND dialog);

// A visible file dialog of the process, or nullptr when none appears in time.
HWND WaitForOpenDialog(DWORD processId, std::chrono::milliseconds timeout);

// Types the path into the file-name field and confirms, as a user would. False when the
// field cannot be set.
bool ChooseFile(HWND dialog, const std::wstring& path);

} // namespace nerula::e2e
