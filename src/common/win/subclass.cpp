#include "common/win/subclass.h"

#include "common/exception.h"
#include "common/win/error_presenter.h"
#include "common/win/system_error.h"

namespace nerula {

WindowSubclass::WindowSubclass(HWND window, Procedure procedure)
    : window_(window), procedure_(std::move(procedure)) {
    // This object's address tells its subclass apart from any other on the window.
    if (!SetWindowSubclass(window_, &WindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this))) {
        throw Exception(SystemErrorText(GetLastError()));
    }
}

WindowSubclass::~WindowSubclass() {
    if (window_ != nullptr && IsWindow(window_)) {
        RemoveWindowSubclass(window_, &WindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this));
    }
}

LRESULT CALLBACK WindowSubclass::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR self) {
    auto* subclass = reinterpret_cast<WindowSubclass*>(self);
    LRESULT result = 0;
    try {
        result = subclass->procedure_(window, message, wParam, lParam);
    } catch (...) {
        PresentCurrentException();
        result = 0;
    }
    if (message == WM_NCDESTROY) {
        // The last message: the subclass must be gone before the window is.
        RemoveWindowSubclass(window, &WindowSubclass::SubclassProc, id);
        subclass->window_ = nullptr;
    }
    return result;
}

} // namespace nerula
