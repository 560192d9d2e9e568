#include "image/win/image_control.h"

#include "common/win/device_context.h"
#include "image/pixel_scaling.h"

namespace nerula {

void TImage::Create(HWND parent) {
    RegisterClassOnce(L"TImage", 0, nullptr);
    CreateHandle(0, L"TImage", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr);
}

void TImage::SetPicture(Picture picture) {
    picture_ = std::move(picture);
    scaled_.clear();
    if (autoSize_) {
        Resize(picture_.Width(), picture_.Height());
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TImage::FitTo(int width, int height) {
    autoSize_ = false;
    proportional_ = true;
    Resize(width, height);
}

void TImage::ShowActualSize() {
    autoSize_ = true;
    proportional_ = false;
    Resize(picture_.Width(), picture_.Height());
}

void TImage::Resize(int width, int height) {
    width_ = width;
    height_ = height;
    scaled_.clear();
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, FALSE);
}

PictureRect TImage::DrawnRect() const {
    if (proportional_) {
        return FitPicture(picture_.Width(), picture_.Height(), width_, height_);
    }
    return {(width_ - picture_.Width()) / 2, (height_ - picture_.Height()) / 2, picture_.Width(),
            picture_.Height()};
}

void TImage::Paint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const PictureRect drawn = DrawnRect();
    // The background around the picture only, so that nothing is drawn twice and the
    // picture does not flicker.
    {
        const SavedDcState saved(dc);
        ExcludeClipRect(dc, drawn.left, drawn.top, drawn.left + drawn.width, drawn.top + drawn.height);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    if (picture_.Empty() || drawn.width <= 0 || drawn.height <= 0) {
        return;
    }
    if (drawn.width == picture_.Width() && drawn.height == picture_.Height()) {
        const BITMAPINFO info = TopDownInfo(picture_.Width(), picture_.Height());
        SetDIBitsToDevice(dc, drawn.left, drawn.top, static_cast<DWORD>(drawn.width),
                          static_cast<DWORD>(drawn.height), 0, 0, 0, static_cast<UINT>(picture_.Height()),
                          picture_.Pixels().data(), &info, DIB_RGB_COLORS);
        return;
    }
    if (scaled_.empty() || scaledRect_.width != drawn.width || scaledRect_.height != drawn.height) {
        scaled_ =
            ShrinkPixels(picture_.Pixels(), picture_.Width(), picture_.Height(), drawn.width, drawn.height);
        scaledRect_ = drawn;
    }
    const BITMAPINFO info = TopDownInfo(drawn.width, drawn.height);
    SetDIBitsToDevice(dc, drawn.left, drawn.top, static_cast<DWORD>(drawn.width),
                      static_cast<DWORD>(drawn.height), 0, 0, 0, static_cast<UINT>(drawn.height),
                      scaled_.data(), &info, DIB_RGB_COLORS);
}

LRESULT TImage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted with the picture
    case WM_PAINT: {
        const PaintDc dc(Handle());
        Paint(dc.Get());
        return 0;
    }
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

} // namespace nerula
