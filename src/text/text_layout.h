#pragma once
// The arithmetic of the text view's window size and of scrolling the caret's line.

namespace nerula {

struct WindowSize {
    int width;
    int height;
};

// The main window's outer size for a text: three quarters of a desktop edge below
// 1600 × 1200 (halves rounded to the even neighbour), half of it from there on.
WindowSize TextWindowSize(int desktopRight, int desktopBottom);

struct DesktopBounds {
    int left;
    int top;
    int right;
    int bottom;
};

// The window takes the new size only when its far corner stays inside the desktop; a
// point on the right or bottom edge is outside.
bool FitsDesktop(int windowLeft, int windowTop, WindowSize size, const DesktopBounds& desktop);

// How many lines to scroll so that the caret's line becomes the first visible one, or,
// centred, stands on the row just above the middle of the rows that fit.
int CaretScrollLines(int caretLine, int firstVisibleLine, bool centre, int visibleHeight, int lineHeight);

} // namespace nerula
