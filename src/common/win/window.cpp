#include "common/win/window.h"

#include "common/exception.h"
#include "common/win/error_presenter.h"
#include "common/win/system_error.h"
#include "common/text_format.h"

namespace nerula {

Window::~Window() {
    if (hwnd_ != nullptr) {
        // The object goes first: detach it so that late messages find no dangling owner.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background, HICON icon) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, className, &existing)) {
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &Window::StaticWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = className;
    if (RegisterClassExW(&wc) == 0) {
        throw Exception(SystemErrorText(GetLastError()));
    }
}

void Window::CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x,
                          int y, int width, int height, HWND parent, HMENU menuOrId) {
    const HWND hwnd = CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent, menuOrId,
                                      GetModuleHandleW(nullptr), this);
    if (hwnd == nullptr) {
        throw Exception(SystemErrorText(GetLastError()));
    }
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        PresentCurrentException();
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

} // namespace nerula
