#include "controls/win/ref_directory_edit.h"

#include <stdexcept>

#include "common/exception.h"
#include "common/win/device_context.h"
#include "common/win/system_error.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"

namespace nerula {
namespace {

RECT BoundsInParentOf(HWND window, HWND sibling) noexcept {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(sibling), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The width of the edit's whole text in the edit's own font.
int TextWidth(HWND edit, const std::wstring& text) noexcept {
    const WindowDc dc(edit);
    if (!dc) {
        return 0;
    }
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0));
    const SelectedObject selected(dc.Get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

} // namespace

// The tooltip window on the edit, which asks the edit for its text each time it shows.
// It belongs to the edit's dialog, which destroys it when it goes itself: the tip then
// only forgets it.
class TRefDirectoryEdit::Tip {
public:
    explicit Tip(HWND edit)
        : window_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(edit, GA_ROOT), nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {
        if (!window_) {
            throw Exception(SystemErrorText(GetLastError()));
        }
        // Only to learn of its end.
        watch_ = std::make_unique<WindowSubclass>(
            window_.Get(), [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
                return DefSubclassProc(window, message, wParam, lParam);
            });
        // The size that every version of the common controls takes.
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = edit;
        tool.uId = reinterpret_cast<UINT_PTR>(edit);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(window_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    Tip(const Tip&) = delete;
    Tip& operator=(const Tip&) = delete;
    ~Tip() {
        if (!watch_->Attached()) {
            window_.Release(); // destroyed with its dialog already
        }
        watch_.reset();
    }

    HWND Window() const noexcept { return watch_->Attached() ? window_.Get() : nullptr; }

private:
    WindowHandle window_;
    std::unique_ptr<WindowSubclass> watch_;
};

TRefDirectoryEdit::TRefDirectoryEdit(HWND edit, HWND button, PlatformServices& services)
    : edit_(edit), button_(button), dialog_(nullptr, services) {
    if (edit == nullptr || button == nullptr) {
        throw std::logic_error("a folder edit needs its edit and its button");
    }
    dialog_.SetOwner(GetAncestor(edit_, GA_ROOT));
    SetWindowTextW(button_, L"...");
    // Its subclass keeps it beside the edit and learns of its end (WindowSubclass forgets
    // the window then).
    buttonSubclass_ = std::make_unique<WindowSubclass>(
        button_, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_WINDOWPOSCHANGING) {
                KeepBesideEdit(*reinterpret_cast<WINDOWPOS*>(lParam));
            }
            return DefSubclassProc(window, message, wParam, lParam);
        });
    editSubclass_ = std::make_unique<WindowSubclass>(
        edit_, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            return EditProc(window, message, wParam, lParam);
        });
    PlaceButton();
    EnableWindow(button_, IsWindowEnabled(edit_));
    FollowVisibility();
}

TRefDirectoryEdit::~TRefDirectoryEdit() = default;

HWND TRefDirectoryEdit::Edit() const noexcept {
    return editSubclass_ ? editSubclass_->Window() : edit_;
}

HWND TRefDirectoryEdit::Button() const noexcept {
    return buttonSubclass_ && buttonSubclass_->Attached() ? button_ : nullptr;
}

std::u16string TRefDirectoryEdit::Text() const {
    const HWND edit = Edit();
    return edit != nullptr ? WindowText(edit) : std::u16string();
}

void TRefDirectoryEdit::SetText(std::u16string_view text) {
    if (const HWND edit = Edit(); edit != nullptr && Text() != text) {
        SetWindowTextW(edit, ToWide(text).c_str());
    }
}

void TRefDirectoryEdit::SetMargin(int margin) noexcept {
    margin_ = margin;
    PlaceButton();
}

void TRefDirectoryEdit::SetTextTip(bool on) {
    if (on == TextTip()) {
        return;
    }
    if (!on) {
        tip_.reset();
        return;
    }
    if (const HWND edit = Edit()) {
        tip_ = std::make_unique<Tip>(edit);
    }
}

HWND TRefDirectoryEdit::TipWindow() const noexcept {
    return tip_ ? tip_->Window() : nullptr;
}

void TRefDirectoryEdit::ButtonClick() {
    if (dialog_.Execute()) {
        if (const HWND edit = Edit()) {
            SetWindowTextW(edit, ToWide(dialog_.Directory()).c_str());
        }
    }
}

bool TRefDirectoryEdit::HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const HWND button = Button();
    if (message != WM_COMMAND || button == nullptr || reinterpret_cast<HWND>(lParam) != button ||
        HIWORD(wParam) != BN_CLICKED) {
        return false;
    }
    result = 0;
    ButtonClick();
    return true;
}

LRESULT TRefDirectoryEdit::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header != nullptr && header->code == static_cast<UINT>(TTN_GETDISPINFOW) &&
            TipWindow() != nullptr && header->hwndFrom == TipWindow()) {
            FillTip(*reinterpret_cast<NMTTDISPINFOW*>(header));
            return 0;
        }
        break;
    }
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        const auto& position = *reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((position.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
            PlaceButton();
        }
        if ((position.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0) {
            FollowVisibility();
        }
        return result;
    }
    case WM_ENABLE: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (const HWND button = Button()) {
            EnableWindow(button, wParam != 0 ? TRUE : FALSE);
        }
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void TRefDirectoryEdit::PlaceButton() const noexcept {
    if (const HWND button = Button()) {
        // KeepBesideEdit gives it its place.
        SetWindowPos(button, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TRefDirectoryEdit::KeepBesideEdit(WINDOWPOS& position) const noexcept {
    // Whoever else moves it (the builder laying the form out for another DPI) moves it
    // beside the edit.
    const HWND edit = Edit();
    if (edit == nullptr || (position.flags & (SWP_NOMOVE | SWP_NOSIZE)) == (SWP_NOMOVE | SWP_NOSIZE)) {
        return;
    }
    const RECT bounds = BoundsInParentOf(edit, button_);
    const int side = bounds.bottom - bounds.top;
    position.x = bounds.right + margin_;
    position.y = bounds.top;
    position.cx = side;
    position.cy = side;
    position.flags &= ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
}

void TRefDirectoryEdit::FollowVisibility() const noexcept {
    const HWND edit = Edit();
    const HWND button = Button();
    if (edit == nullptr || button == nullptr) {
        return;
    }
    const bool shown = (GetWindowLongPtrW(edit, GWL_STYLE) & WS_VISIBLE) != 0;
    ShowWindow(button, shown ? SW_SHOWNA : SW_HIDE);
}

void TRefDirectoryEdit::FillTip(NMTTDISPINFOW& request) {
    const HWND edit = Edit();
    tipText_.clear();
    if (edit != nullptr) {
        std::wstring text = ToWide(WindowText(edit));
        RECT client{};
        GetClientRect(edit, &client);
        // Only a text that the edit cannot show whole is worth a tip; an empty one shows none.
        if (TextWidth(edit, text) > client.right) {
            tipText_ = std::move(text);
        }
    }
    request.lpszText = tipText_.data();
    request.szText[0] = L'\0';
    request.hinst = nullptr;
}

} // namespace nerula
