#pragma once
// The image control inside the scroll box: draws its picture centred in itself. Fitted,
// it is as large as the scroll box's client area and shrinks a larger picture with its
// aspect ratio kept (never enlarging); at actual size it takes the picture's size.

#include <cstdint>
#include <vector>

#include "common/win/window.h"
#include "image/picture_fit.h"
#include "image/win/picture.h"

namespace nerula {

class TImage : public Window {
public:
    void Create(HWND parent);

    const Picture& CurrentPicture() const noexcept { return picture_; }
    void SetPicture(Picture picture);

    // Proportional scaling on, auto-size off, and the control given the size.
    void FitTo(int width, int height);
    // Auto-size on, proportional scaling off: the control takes the picture's size.
    void ShowActualSize();

    bool Proportional() const noexcept { return proportional_; }
    // Where the picture is drawn inside the control.
    PictureRect DrawnRect() const;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc);
    void Resize(int width, int height);

    Picture picture_;
    bool proportional_ = false;
    bool autoSize_ = true;
    int width_ = 0;
    int height_ = 0;
    // The shrunk picture for the current fitted size, made when the size changes.
    std::vector<std::uint32_t> scaled_;
    PictureRect scaledRect_{};
};

} // namespace nerula
