#include "image/win/scroll_box.h"

#include <initializer_list>

namespace nerula {

void TScrollBox::Create(HWND parent, int id) {
    RegisterClassOnce(L"TScrollBox", CS_HREDRAW | CS_VREDRAW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateHandle(WS_EX_CLIENTEDGE, L"TScrollBox", L"", WS_CHILD | WS_CLIPCHILDREN | WS_TABSTOP, 0, 0, 0, 0,
                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void TScrollBox::SetContentSize(int width, int height) {
    // Shorter ranges can move the content back; the children move with it.
    const int oldX = horizontal_.Position();
    const int oldY = vertical_.Position();
    horizontal_.SetSizes(width, horizontal_.ClientSize());
    vertical_.SetSizes(height, vertical_.ClientSize());
    if (oldX != horizontal_.Position() || oldY != vertical_.Position()) {
        ScrollWindowEx(Handle(), oldX - horizontal_.Position(), oldY - vertical_.Position(), nullptr, nullptr,
                       nullptr, nullptr, SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
    }
    UpdateScrollBars();
}

void TScrollBox::ScrollBy(int bar, int distance) {
    const int moved = Axis(bar).ScrollBy(distance);
    if (moved == 0) {
        return;
    }
    // Content moves opposite to the thumb; children move with it.
    const int dx = bar == SB_HORZ ? -moved : 0;
    const int dy = bar == SB_VERT ? -moved : 0;
    ScrollWindowEx(Handle(), dx, dy, nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
    SetScrollPos(Handle(), bar, Axis(bar).Position(), TRUE);
}

void TScrollBox::UpdateScrollBars() {
    for (const int bar : {SB_HORZ, SB_VERT}) {
        const ScrollAxis& axis = Axis(bar);
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = axis.ContentSize() > 0 ? axis.ContentSize() - 1 : 0;
        info.nPage = static_cast<UINT>(axis.ClientSize());
        info.nPos = axis.Position();
        SetScrollInfo(Handle(), bar, &info, TRUE);
    }
}

void TScrollBox::OnScroll(int bar, WORD request) {
    const ScrollAxis& axis = Axis(bar);
    int target = axis.Position();
    switch (request) {
    case SB_LINEUP:
        target -= ScrollAxis::kLineIncrement;
        break;
    case SB_LINEDOWN:
        target += ScrollAxis::kLineIncrement;
        break;
    case SB_PAGEUP:
        target -= axis.ClientSize();
        break;
    case SB_PAGEDOWN:
        target += axis.ClientSize();
        break;
    case SB_TOP:
        target = 0;
        break;
    case SB_BOTTOM:
        target = axis.Range();
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), bar, &info);
        target = info.nTrackPos;
        break;
    }
    default:
        return;
    }
    ScrollBy(bar, target - axis.Position());
}

LRESULT TScrollBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: {
        // A larger client area can shorten the ranges; the content then moves back.
        const int oldX = horizontal_.Position();
        const int oldY = vertical_.Position();
        horizontal_.SetSizes(horizontal_.ContentSize(), LOWORD(lParam));
        vertical_.SetSizes(vertical_.ContentSize(), HIWORD(lParam));
        if (oldX != horizontal_.Position() || oldY != vertical_.Position()) {
            ScrollWindowEx(Handle(), oldX - horizontal_.Position(), oldY - vertical_.Position(), nullptr,
                           nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
        }
        UpdateScrollBars();
        return 0;
    }
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(Handle());
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

} // namespace nerula
