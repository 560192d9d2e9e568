#include "open_dialog.h"

#include "message_box.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

} // namespace

HWND FileNameField(HWND dialog) {
    if (const HWND combo = GetDlgItem(dialog, kFileNameCombo); combo != nullptr) {
        return combo;
    }
    return GetDlgItem(dialog, kFileNameEdit);
}

HWND WaitForOpenDialog(DWORD processId, std::chrono::milliseconds timeout) {
    return WaitFor(
        [&]() -> HWND {
            for (const HWND dialog : DialogWindows(processId)) {
                if (FileNameField(dialog) != nullptr) {
                    return dialog;
                }
            }
            return nullptr;
        },
        timeout);
}

bool ChooseFile(HWND dialog, const std::wstring& path) {
    const HWND field = FileNameField(dialog);
    DWORD_PTR result = 0;
    if (field == nullptr || !SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                                                 SMTO_ABORTIFHUNG, 2000, &result)) {
        return false;
    }
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return true;
}

} // namespace nerula::e2e
