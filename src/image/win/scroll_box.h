#pragma once
// The picture's scroll box: a child window with a sunken border whose scroll bars appear
// when its content is larger than its client area, and whose content follows the thumb
// while it is dragged.

#include "common/win/window.h"
#include "image/scroll_axis.h"

namespace nerula {

class TScrollBox : public Window {
public:
    void Create(HWND parent, int id);

    // The size of what the box shows; the scroll ranges follow it.
    void SetContentSize(int width, int height);
    // Moves one bar (SB_HORZ or SB_VERT) by a distance in pixels, within its range.
    void ScrollBy(int bar, int distance);
    int Position(int bar) const { return Axis(bar).Position(); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnScroll(int bar, WORD request);
    void UpdateScrollBars();
    ScrollAxis& Axis(int bar) { return bar == SB_HORZ ? horizontal_ : vertical_; }
    const ScrollAxis& Axis(int bar) const { return bar == SB_HORZ ? horizontal_ : vertical_; }

    ScrollAxis horizontal_;
    ScrollAxis vertical_;
};

} // namespace nerula
