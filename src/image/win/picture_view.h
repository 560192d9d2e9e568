#pragma once
// The picture view: the scroll box `ImageBox` with the image control `Image` inside it.
// It shows a decoded picture fitted to the box or at actual size, scrolls, and copies the
// picture to the clipboard. The main window decides when it is shown and sizes itself.

#include <windows.h>

#include "image/win/image_control.h"
#include "image/win/picture.h"
#include "image/win/scroll_box.h"
#include "settings/viewer_settings.h"

namespace nerula {

class PictureView {
public:
    // Creates the box hidden, with the image control inside it.
    void Create(HWND parent, int id);

    TScrollBox& ImageBox() noexcept { return imageBox_; }
    TImage& Image() noexcept { return image_; }
    const TImage& Image() const noexcept { return image_; }

    bool Visible() const;
    void SetVisible(bool visible);
    void SetBounds(const RECT& bounds);
    void Focus();

    // Shows a new picture from the box's top left corner; the view style is applied
    // afterwards, once the window has its size.
    void SetPicture(Picture picture);

    // Fitted: the image control fills the box without scroll bars and shrinks a larger
    // picture. Actual size: the control takes the picture's size and the box scrolls.
    // Another style leaves everything as it is.
    void ApplyViewStyle(PictureViewStyle style);

    // Moves one of the box's scroll bars (SB_HORZ or SB_VERT) by a distance in pixels.
    void ScrollBy(int bar, int distance);

    // Replaces the clipboard's contents with the picture, as a device-dependent bitmap
    // that the clipboard owns. Fails with "クリップボード %s を開けません".
    void CopyToClipboard(HWND owner) const;

private:
    void FitToWindow();
    void ShowActualSize();

    TScrollBox imageBox_;
    TImage image_;
};

} // namespace nerula
