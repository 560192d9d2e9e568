#pragma once
// The clipboard, open for as long as the session lives.

#include <windows.h>

#include "common/win/unique_handle.h"

namespace nerula {

class ClipboardSession {
public:
    // Opens the clipboard for `owner`; Opened tells whether that succeeded.
    explicit ClipboardSession(HWND owner) noexcept : opened_(OpenClipboard(owner) != FALSE) {}
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    ~ClipboardSession() {
        if (opened_) {
            CloseClipboard();
        }
    }
    bool Opened() const noexcept { return opened_; }

    // Empties the clipboard and makes the owner its owner.
    bool Empty() noexcept { return EmptyClipboard() != FALSE; }

    // Puts a GDI object (a bitmap or palette) on the clipboard, which then owns it: the
    // owner lets it go only when the clipboard took it.
    bool Put(UINT format, GdiObject& object) noexcept {
        if (SetClipboardData(format, object.Get()) == nullptr) {
            return false;
        }
        object.Release();
        return true;
    }

private:
    bool opened_;
};

} // namespace nerula
