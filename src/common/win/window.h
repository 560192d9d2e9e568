#pragma once
// Base of every window class that Nerula registers: one window procedure per class that
// finds its C++ object through CREATESTRUCT::lpCreateParams, and a catch at the
// boundary so that no exception crosses into Windows.

#include <windows.h>

namespace nerula {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const noexcept { return hwnd_; }

protected:
    // Registers the class once per process; the class is named after the C++ class.
    static void RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background, HICON icon = nullptr);
    // Creates the window with this object as its owner; throws on failure.
    void CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menuOrId);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

} // namespace nerula
