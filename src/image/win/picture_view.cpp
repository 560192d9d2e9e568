#include "image/win/picture_view.h"

#include "common/exception.h"
#include "common/text_format.h"
#include "common/win/clipboard.h"
#include "common/win/device_context.h"
#include "common/win/system_error.h"
#include "common/win/unique_handle.h"

namespace nerula {

void PictureView::Create(HWND parent, int id) {
    imageBox_.Create(parent, id);
    image_.Create(imageBox_.Handle());
}

bool PictureView::Visible() const {
    const HWND box = imageBox_.Handle();
    return box != nullptr && (GetWindowLongPtrW(box, GWL_STYLE) & WS_VISIBLE) != 0;
}

void PictureView::SetVisible(bool visible) {
    ShowWindow(imageBox_.Handle(), visible ? SW_SHOW : SW_HIDE);
}

void PictureView::SetBounds(const RECT& bounds) {
    MoveWindow(imageBox_.Handle(), bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, TRUE);
}

void PictureView::Focus() {
    SetFocus(imageBox_.Handle());
}

void PictureView::SetPicture(Picture picture) {
    imageBox_.ScrollBy(SB_HORZ, -imageBox_.Position(SB_HORZ));
    imageBox_.ScrollBy(SB_VERT, -imageBox_.Position(SB_VERT));
    image_.SetPicture(std::move(picture));
}

void PictureView::ApplyViewStyle(PictureViewStyle style) {
    switch (style) {
    case PictureViewStyle::FitToWindow:
        FitToWindow();
        break;
    case PictureViewStyle::ActualSize:
        ShowActualSize();
        break;
    default:
        break;
    }
}

void PictureView::FitToWindow() {
    // Without content beyond the box its scroll bars go, and the whole client area is
    // what the picture is fitted to.
    imageBox_.SetContentSize(0, 0);
    RECT client{};
    GetClientRect(imageBox_.Handle(), &client);
    image_.FitTo(client.right, client.bottom);
    imageBox_.SetContentSize(client.right, client.bottom);
}

void PictureView::ShowActualSize() {
    image_.ShowActualSize();
    imageBox_.SetContentSize(image_.CurrentPicture().Width(), image_.CurrentPicture().Height());
}

void PictureView::ScrollBy(int bar, int distance) {
    imageBox_.ScrollBy(bar, distance);
}

void PictureView::CopyToClipboard(HWND owner) const {
    ClipboardSession clipboard(owner);
    if (!clipboard.Opened()) {
        throw Exception(FormatText(u"クリップボード %s を開けません", {SystemErrorText(GetLastError())}));
    }
    clipboard.Empty();
    const Picture& picture = image_.CurrentPicture();
    if (picture.Empty()) {
        return;
    }
    // The clipboard takes a device-dependent copy, which it then owns.
    const WindowDc screen(nullptr);
    GdiObject copy(CreateCompatibleBitmap(screen.Get(), picture.Width(), picture.Height()));
    if (!copy) {
        return;
    }
    {
        const MemoryDc source(CreateCompatibleDC(screen.Get()));
        const MemoryDc target(CreateCompatibleDC(screen.Get()));
        const SelectedObject sourceBitmap(source.Get(), picture.Handle());
        const SelectedObject targetBitmap(target.Get(), copy.Get());
        BitBlt(target.Get(), 0, 0, picture.Width(), picture.Height(), source.Get(), 0, 0, SRCCOPY);
    }
    clipboard.Put(CF_BITMAP, copy);
}

} // namespace nerula
