#pragma once
// A hidden top-level window holding a text view, as the main window holds its own: the
// searches run against the same edit control the viewer shows its text in.

#include <windows.h>

#include "search_text.h"
#include "text/win/text_view.h"

namespace nerula::bench {

class SearchWindow {
public:
    SearchWindow();
    SearchWindow(const SearchWindow&) = delete;
    SearchWindow& operator=(const SearchWindow&) = delete;
    ~SearchWindow();

    TextView& View() noexcept { return view_; }
    HWND Edit() const noexcept { return view_.Handle(); }

    // Hands the text to the view as the viewer does a file's, in the control's own memory;
    // returns the milliseconds that took (the control lays out every line meanwhile).
    double Load(SearchText text);

    // Puts the caret at `position` without scrolling, as a click there would.
    void PlaceCaret(DWORD position);

private:
    // Whatever the control posted while it took the text, so that no message waits for a
    // later measurement.
    static void DrainMessages();

    HWND window_ = nullptr;
    TextView view_;
};

} // namespace nerula::bench
