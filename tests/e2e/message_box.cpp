#include "message_box.h"

#include "desktop_windows.h"
#include "open_dialog.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;
constexpr UINT kSendTimeoutMs = 2000;

BOOL CALLBACK KeepLongestStatic(HWND control, LPARAM parameter) {
    auto& longest = *reinterpret_cast<std::wstring*>(parameter);
    if (ClassNameOf(control) == L"Static") {
        std::wstring text = ControlText(control);
        if (text.size() > longest.size()) {
            longest = std::move(text);
        }
    }
    return TRUE;
}

} // namespace

std::vector<HWND> DialogWindows(DWORD processId) {
    std::vector<HWND> visible;
    for (const HWND dialog : TopLevelWindows(L"#32770", processId)) {
        if (IsWindowVisible(dialog)) {
            visible.push_back(dialog);
        }
    }
    return visible;
}

HWND FindMessageBox(DWORD processId) {
    for (const HWND dialog : DialogWindows(processId)) {
        if (GetDlgItem(dialog, IDOK) != nullptr && FileNameField(dialog) == nullptr) {
            return dialog;
        }
    }
    return nullptr;
}

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout) {
    const HWND box = WaitFor([&] { return FindMessageBox(processId); }, timeout);
    if (box == nullptr) {
        return std::nullopt;
    }
    return ReadMessageBox(box);
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.window = box;
    view.caption = TextOf(box);
    if (const HWND text = GetDlgItem(box, kMessageTextId); text != nullptr) {
        view.text = ControlText(text);
    }
    if (view.text.empty()) {
        EnumChildWindows(box, &KeepLongestStatic, reinterpret_cast<LPARAM>(&view.text));
    }
    return view;
}

std::wstring ControlText(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) {
        return std::wstring();
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
        return std::wstring();
    }
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return text;
}

void PressOk(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

bool WaitUntilGone(HWND window, std::chrono::milliseconds timeout) {
    return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

} // namespace nerula::e2e
