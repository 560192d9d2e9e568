#pragma once
// Owners for device contexts borrowed from a window and for the objects selected into
// them, so that every path gives them back in the right order.

#include <windows.h>

namespace nerula {

// A window's device context (GetDC; the screen's for no window), released when done.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The device context of one WM_PAINT (BeginPaint), ended when done.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }
    HDC Get() const noexcept { return dc_; }
    const RECT& Dirty() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a device context for a while; the one it replaced goes back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The device context's whole state (clipping, selections, modes), restored when done.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;
    ~SavedDcState() {
        if (saved_ != 0) {
            RestoreDC(dc_, saved_);
        }
    }

private:
    HDC dc_;
    int saved_;
};

} // namespace nerula
