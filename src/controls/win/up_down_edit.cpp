#include "controls/win/up_down_edit.h"

#include <optional>
#include <stdexcept>

#include <commctrl.h>

#include "common/integer_text.h"
#include "common/text_format.h"
#include "common/win/clipboard.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"

namespace nerula {
namespace {

// A global memory block (the clipboard's) locked for as long as this lives.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL memory) noexcept
        : memory_(memory), data_(memory != nullptr ? GlobalLock(memory) : nullptr) {}
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    ~LockedGlobal() {
        if (data_ != nullptr) {
            GlobalUnlock(memory_);
        }
    }
    const void* Get() const noexcept { return data_; }
    std::size_t Bytes() const noexcept { return data_ != nullptr ? GlobalSize(memory_) : 0; }

private:
    HGLOBAL memory_;
    void* data_;
};

// The clipboard's text, or nothing when it holds none or cannot be opened. The system
// gives a CF_TEXT text as CF_UNICODETEXT too.
std::optional<std::u16string> ClipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) && !IsClipboardFormatAvailable(CF_TEXT)) {
        return std::nullopt;
    }
    const ClipboardSession clipboard(owner);
    if (!clipboard.Opened()) {
        return std::nullopt;
    }
    const LockedGlobal data(GetClipboardData(CF_UNICODETEXT));
    if (data.Get() == nullptr) {
        return std::nullopt;
    }
    // Up to its terminating NUL, which a block from elsewhere may lack.
    const auto* units = static_cast<const char16_t*>(data.Get());
    const std::size_t capacity = data.Bytes() / sizeof(char16_t);
    std::size_t length = 0;
    while (length < capacity && units[length] != 0) {
        ++length;
    }
    return std::u16string(units, length);
}

RECT BoundsInParentOf(HWND window, HWND sibling) noexcept {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(sibling), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

// The pair's view of the two windows.
class TUpDownEdit::Windows final : public UpDownPairWindows {
public:
    explicit Windows(TUpDownEdit& owner) noexcept : owner_(owner) {}

    std::u16string Text() const override { return owner_.Text(); }
    void WriteText(std::u16string_view text) override {
        if (const HWND edit = owner_.Edit()) {
            SetWindowTextW(edit, ToWide(text).c_str());
        }
    }
    bool HasUpDown() const override { return owner_.HasUpDown(); }
    std::int32_t ReportedPosition() override {
        // The up-down control reads its buddy's number itself, but some take an empty text
        // as 0: a text that is no number within the range leaves the position as it was,
        // and the control is not asked.
        if (attached_ && known_) {
            const std::optional<std::int32_t> number = ParseInt32(Text());
            if (!number || *number < owner_.Min() || *number > owner_.Max()) {
                return *known_;
            }
        }
        BOOL failed = FALSE;
        const auto position = static_cast<std::int32_t>(
            SendMessageW(owner_.upDown_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
        if (!failed || !known_) {
            known_ = position;
        }
        return *known_;
    }
    void SendPosition(std::int32_t position) override {
        SendMessageW(owner_.upDown_, UDM_SETPOS32, 0, static_cast<LPARAM>(position));
        known_.reset();
    }
    void Attach() override {
        SendMessageW(owner_.upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(owner_.Edit()), 0);
        attached_ = true;
    }
    void Detach() override {
        SendMessageW(owner_.upDown_, UDM_SETBUDDY, 0, 0);
        attached_ = false;
    }

private:
    TUpDownEdit& owner_;
    bool attached_ = true;
    // The position last reported; none until the control is first asked, and after a new
    // position was sent (the control may have kept it within its range).
    std::optional<std::int32_t> known_;
};

TUpDownEdit::TUpDownEdit(HWND edit, HWND upDown, PlatformServices& services)
    : edit_(edit), upDown_(upDown), services_(services), windows_(std::make_unique<Windows>(*this)),
      pair_(*windows_, *this) {
    if (edit == nullptr || upDown == nullptr) {
        throw std::logic_error("a numeric edit needs its edit and its up-down control");
    }
    pair_.SetLoading(true);
    // The edit's number must be one that the integer rule reads back.
    const LONG_PTR style = GetWindowLongPtrW(upDown_, GWL_STYLE);
    if ((style & UDS_NOTHOUSANDS) == 0) {
        SetWindowLongPtrW(upDown_, GWL_STYLE, style | UDS_NOTHOUSANDS);
    }
    SendMessageW(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
    // Its subclass keeps it beside the edit and learns of its end (WindowSubclass forgets
    // the window then).
    upDownSubclass_ = std::make_unique<WindowSubclass>(
        upDown_, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_WINDOWPOSCHANGING) {
                KeepBesideEdit(*reinterpret_cast<WINDOWPOS*>(lParam));
            }
            return DefSubclassProc(window, message, wParam, lParam);
        });
    editSubclass_ = std::make_unique<WindowSubclass>(
        edit_, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            return EditProc(window, message, wParam, lParam);
        });
    PlaceUpDown();
    EnableWindow(upDown_, IsWindowEnabled(edit_));
    FollowVisibility();
    pair_.SetLoading(false);
}

TUpDownEdit::~TUpDownEdit() = default;

HWND TUpDownEdit::Edit() const noexcept {
    return editSubclass_ ? editSubclass_->Window() : edit_;
}

HWND TUpDownEdit::UpDown() const noexcept {
    return HasUpDown() ? upDown_ : nullptr;
}

bool TUpDownEdit::HasUpDown() const noexcept {
    return upDownSubclass_ ? upDownSubclass_->Attached() : upDown_ != nullptr;
}

std::u16string TUpDownEdit::Text() const {
    const HWND edit = Edit();
    return edit != nullptr ? WindowText(edit) : std::u16string();
}

void TUpDownEdit::SetText(std::u16string_view text) {
    if (Text() != text) {
        windows_->WriteText(text);
    }
}

std::int32_t TUpDownEdit::Min() const noexcept {
    INT minimum = 0;
    if (HasUpDown()) {
        SendMessageW(upDown_, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&minimum), 0);
    }
    return minimum;
}

std::int32_t TUpDownEdit::Max() const noexcept {
    INT maximum = 0;
    if (HasUpDown()) {
        SendMessageW(upDown_, UDM_GETRANGE32, 0, reinterpret_cast<LPARAM>(&maximum));
    }
    return maximum;
}

void TUpDownEdit::SetMin(std::int32_t minimum) noexcept {
    if (HasUpDown()) {
        SendMessageW(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(minimum), Max());
    }
}

void TUpDownEdit::SetMax(std::int32_t maximum) noexcept {
    if (HasUpDown()) {
        SendMessageW(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(Min()), maximum);
    }
}

bool TUpDownEdit::HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const HWND edit = Edit();
    switch (message) {
    case WM_COMMAND:
        if (edit != nullptr && reinterpret_cast<HWND>(lParam) == edit && HIWORD(wParam) == EN_CHANGE) {
            result = 0;
            pair_.EditChanged();
            return true;
        }
        return false;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (HasUpDown() && header != nullptr && header->hwndFrom == upDown_ &&
            header->code == static_cast<UINT>(UDN_DELTAPOS)) {
            result = pair_.StepRequested() ? 0 : 1;
            return true;
        }
        return false;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (HasUpDown() && reinterpret_cast<HWND>(lParam) == upDown_) {
            result = 0;
            pair_.Scrolled();
            return true;
        }
        return false;
    default:
        return false;
    }
}

LRESULT TUpDownEdit::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR:
        return TypedCharacter(window, wParam, lParam);
    case WM_PASTE:
        return Paste(window, wParam, lParam);
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        const auto& position = *reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((position.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
            PlaceUpDown();
        }
        if ((position.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0) {
            FollowVisibility();
        }
        return result;
    }
    case WM_ENABLE: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (HasUpDown()) {
            EnableWindow(upDown_, wParam != 0 ? TRUE : FALSE);
        }
        return result;
    }
    default:
        return DefSubclassProc(window, message, wParam, lParam);
    }
}

LRESULT TUpDownEdit::TypedCharacter(HWND window, WPARAM wParam, LPARAM lParam) {
    auto key = static_cast<wchar_t>(wParam);
    if (OnKeyPress) {
        OnKeyPress(key);
    }
    if (key == 0) {
        return 0;
    }
    if (!FilterAccepts(filters_, static_cast<char16_t>(key))) {
        services_.Beep(0);
        return 0;
    }
    return DefSubclassProc(window, WM_CHAR, static_cast<WPARAM>(key), lParam);
}

LRESULT TUpDownEdit::Paste(HWND window, WPARAM wParam, LPARAM lParam) {
    if (filters_.Empty()) {
        return DefSubclassProc(window, WM_PASTE, wParam, lParam);
    }
    // A read-only edit takes no paste, as the edit's own handling would not.
    if ((GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY) != 0) {
        return 0;
    }
    const std::optional<std::u16string> text = ClipboardText(window);
    if (!text) {
        return 0;
    }
    const FilteredPaste pasted = FilterPastedText(filters_, *text);
    if (pasted.refused) {
        services_.Beep(0);
        if (filters_.Has(TFilterChar::fcRejectProcess)) {
            return 0;
        }
    }
    const std::wstring inserted = ToWide(pasted.text);
    SendMessageW(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(inserted.c_str()));
    return 0;
}

void TUpDownEdit::PlaceUpDown() const noexcept {
    if (HasUpDown()) {
        // KeepBesideEdit gives it its place.
        SetWindowPos(upDown_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TUpDownEdit::KeepBesideEdit(WINDOWPOS& position) const noexcept {
    // Whoever else moves it (the builder laying the form out for another DPI, the up-down
    // control itself when its buddy changes) moves it against the edit; only its width
    // is its own.
    const HWND edit = Edit();
    if (edit == nullptr || (position.flags & (SWP_NOMOVE | SWP_NOSIZE)) == (SWP_NOMOVE | SWP_NOSIZE)) {
        return;
    }
    if ((position.flags & SWP_NOSIZE) != 0) {
        RECT own{};
        GetWindowRect(upDown_, &own);
        position.cx = own.right - own.left;
    }
    const RECT bounds = BoundsInParentOf(edit, upDown_);
    position.x = bounds.right;
    position.y = bounds.top;
    position.cy = bounds.bottom - bounds.top;
    position.flags &= ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
}

void TUpDownEdit::FollowVisibility() const noexcept {
    const HWND edit = Edit();
    if (edit == nullptr || !HasUpDown()) {
        return;
    }
    const bool shown = (GetWindowLongPtrW(edit, GWL_STYLE) & WS_VISIBLE) != 0;
    ShowWindow(upDown_, shown ? SW_SHOWNA : SW_HIDE);
}

} // namespace nerula
