#include "common/win/dialog.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "common/exception.h"
#include "common/win/dpi.h"
#include "common/win/error_presenter.h"
#include "common/win/system_error.h"

namespace nerula {
namespace {

HWND g_activeModeless = nullptr;

// A DLGTEMPLATE without controls: style, extended style, no items, position and size 0
// (the form gives the size once the controls are made), no menu, the standard dialog
// class, the caption. No DS_SETFONT: nothing is measured in dialog units.
std::vector<WORD> EmptyTemplate(const FormSpec& form) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    style |=
        form.border == FormBorder::Sizeable ? WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX : DS_MODALFRAME;
    std::vector<WORD> words;
    words.push_back(LOWORD(style));
    words.push_back(HIWORD(style));
    words.insert(words.end(), {0, 0}); // extended style
    words.push_back(0);                // controls
    words.insert(words.end(), {0, 0, 0, 0});
    words.push_back(0); // menu
    words.push_back(0); // class
    words.insert(words.end(), form.caption.begin(), form.caption.end());
    words.push_back(0);
    // The vector's storage comes from operator new, aligned well beyond the DWORD that a
    // template needs.
    return words;
}

} // namespace

HWND ActiveModelessDialog() noexcept {
    return g_activeModeless;
}

Dialog::Dialog(std::span<const ControlSpec> controls, const FormSpec& form)
    : controls_(controls), form_(form) {}

Dialog::~Dialog() {
    if (hwnd_ != nullptr) {
        // The object goes first: detach it so that the window's last messages find none.
        const HWND window = std::exchange(hwnd_, nullptr);
        if (g_activeModeless == window) {
            g_activeModeless = nullptr;
        }
        SetWindowLongPtrW(window, DWLP_USER, 0);
        DestroyWindow(window);
    }
}

INT_PTR Dialog::ShowModal(HWND owner) {
    if (hwnd_ != nullptr) {
        throw std::logic_error("the dialog is open already");
    }
    modal_ = true;
    owner_ = owner;
    const std::vector<WORD> dialogTemplate = EmptyTemplate(form_);
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
        &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    const DWORD error = GetLastError();
    modal_ = false;
    if (initError_) {
        std::rethrow_exception(std::exchange(initError_, nullptr));
    }
    if (result == -1) {
        throw Exception(SystemErrorText(error));
    }
    return result;
}

void Dialog::CreateModeless(HWND owner) {
    if (hwnd_ != nullptr) {
        return;
    }
    modal_ = false;
    owner_ = owner;
    const std::vector<WORD> dialogTemplate = EmptyTemplate(form_);
    const HWND window = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
        &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    const DWORD error = GetLastError();
    if (initError_) {
        if (window != nullptr && IsWindow(window)) {
            DestroyWindow(window);
        }
        std::rethrow_exception(std::exchange(initError_, nullptr));
    }
    if (window == nullptr) {
        throw Exception(SystemErrorText(error));
    }
}

void Dialog::Show() {
    if (hwnd_ != nullptr) {
        ShowWindow(hwnd_, SW_SHOW);
    }
}

void Dialog::Hide() {
    if (hwnd_ != nullptr) {
        ShowWindow(hwnd_, SW_HIDE);
        // A hidden window is inactive, whether or not the system said so on the way.
        if (g_activeModeless == hwnd_) {
            g_activeModeless = nullptr;
        }
    }
}

INT_PTR Dialog::RunModal() {
    if (hwnd_ == nullptr) {
        throw std::logic_error("the dialog has not been made");
    }
    if (running_) {
        throw std::logic_error("the dialog is open already");
    }
    const bool ownerWasEnabled = owner_ != nullptr && IsWindowEnabled(owner_);
    modal_ = true;
    running_ = true;
    ended_ = false;
    result_ = IDCANCEL;
    if (ownerWasEnabled) {
        EnableWindow(owner_, FALSE);
    }
    ShowWindow(hwnd_, SW_SHOW);
    if (!IsChild(hwnd_, GetFocus())) {
        if (const HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) {
            SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
        }
    }
    MSG msg{};
    bool quit = false;
    while (!ended_ && hwnd_ != nullptr) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            quit = got == 0;
            break;
        }
        if (!IsDialogMessageW(hwnd_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // The owner first, so that the activation goes back to it when the dialog hides.
    if (ownerWasEnabled) {
        EnableWindow(owner_, TRUE);
    }
    if (hwnd_ != nullptr) {
        ShowWindow(hwnd_, SW_HIDE);
    }
    running_ = false;
    modal_ = false;
    if (quit) {
        PostQuitMessage(static_cast<int>(msg.wParam));
    }
    return result_;
}

HWND Dialog::Control(std::u16string_view name) const noexcept {
    return built_ ? built_->Control(name) : nullptr;
}

unsigned Dialog::InitialDpi() {
    return WindowDpi(hwnd_);
}

void Dialog::PlaceWindow(HWND owner) {
    const bool ownerShown = owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(ownerShown ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT area = monitor.rcWork;
    RECT around = area;
    if (ownerShown) {
        GetWindowRect(owner, &around);
    }
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int x = around.left + (around.right - around.left - width) / 2;
    int y = around.top + (around.bottom - around.top - height) / 2;
    // On the work area; its top left corner wins for a dialog larger than the area.
    x = std::max<int>(area.left, std::min<int>(x, area.right - width));
    y = std::max<int>(area.top, std::min<int>(y, area.bottom - height));
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::OnCommand(int id, int, HWND) {
    if (id == IDOK || id == IDCANCEL) {
        Close(id);
    }
}

LRESULT Dialog::OnNotify(const NMHDR&) {
    return 0;
}

INT_PTR Dialog::HandleMessage(UINT, WPARAM, LPARAM) {
    return FALSE;
}

void Dialog::Close(INT_PTR result) {
    if (hwnd_ == nullptr) {
        return;
    }
    if (running_) {
        result_ = result;
        ended_ = true;
    } else if (modal_) {
        EndDialog(hwnd_, result);
    } else {
        Hide();
    }
}

void Dialog::InitDialog() {
    try {
        DisableDialogDpiScaling(hwnd_);
        built_ = std::make_unique<BuiltForm>(hwnd_, controls_, form_, InitialDpi());
        if (const auto id = built_->DefaultButtonId()) {
            SendMessageW(hwnd_, DM_SETDEFID, static_cast<WPARAM>(*id), 0);
            // The dialog manager looks for the button among its own children only: one
            // inside a panel keeps the ID for Enter but loses its default look, given back.
            SendMessageW(built_->ControlById(*id), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        }
        PlaceWindow(owner_);
        OnInitDialog();
    } catch (...) {
        // Thrown again by ShowModal or CreateModeless, to their caller: a dialog that could
        // not be made is never shown.
        initError_ = std::current_exception();
        built_.reset();
        if (modal_) {
            EndDialog(hwnd_, -1);
        }
    }
}

INT_PTR Dialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitDialog();
        // A modeless dialog is made hidden: given the focus now, it would take it from the
        // window that has it. It gets it when it is shown.
        return modal_ ? TRUE : FALSE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        if (!built_ || !built_->HandleNotify(header)) {
            result = OnNotify(header);
        }
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (built_) {
            built_->Relayout(HIWORD(wParam));
            OnDpiChanged();
        }
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 0);
        return TRUE;
    }
    case WM_ACTIVATE:
        // Only tracked here; the dialog manager's own handling (keeping the focus) follows.
        if (!modal_) {
            if (LOWORD(wParam) != WA_INACTIVE) {
                g_activeModeless = hwnd_;
            } else if (g_activeModeless == hwnd_) {
                g_activeModeless = nullptr;
            }
        }
        break;
    case WM_DESTROY:
        if (g_activeModeless == hwnd_) {
            g_activeModeless = nullptr;
        }
        break;
    default:
        break;
    }
    return HandleMessage(message, wParam, lParam);
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }
    INT_PTR result = FALSE;
    try {
        result = self->DialogProc(message, wParam, lParam);
    } catch (...) {
        // The dialog manager's own handling follows, as for a message left alone.
        PresentCurrentException();
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        if (g_activeModeless == hwnd) {
            g_activeModeless = nullptr;
        }
        // The controls are gone with the window; their font can go now.
        self->built_.reset();
        self->hwnd_ = nullptr;
    }
    return result;
}

} // namespace nerula
