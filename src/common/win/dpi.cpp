#include "common/win/dpi.h"

#include "common/win/device_context.h"

namespace nerula {
namespace {

template <typename Function>
Function User32Function(const char* name) noexcept {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

} // namespace

unsigned ScreenDpi() noexcept {
    const WindowDc screen(nullptr);
    const int pixels = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return pixels > 0 ? static_cast<unsigned>(pixels) : kDesignDpi;
}

unsigned WindowDpi(HWND window) noexcept {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (window != nullptr && getDpiForWindow != nullptr) {
        // 0 for a handle that is no window.
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    return ScreenDpi();
}

SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu,
                         unsigned dpi) noexcept {
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, clientWidth, clientHeight};
    if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, menu, exStyle, dpi)) {
        frame = RECT{0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&frame, style, menu, exStyle);
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void DisableDialogDpiScaling(HWND dialog) noexcept {
    // The behaviours are an enumeration, passed as an int.
    using SetBehaviourFn = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehaviour = User32Function<SetBehaviourFn>("SetDialogDpiChangeBehavior");
    constexpr int kDisableAll = 0x0001; // DDC_DISABLE_ALL
    if (setBehaviour != nullptr) {
        setBehaviour(dialog, kDisableAll, kDisableAll);
    }
}

} // namespace nerula
