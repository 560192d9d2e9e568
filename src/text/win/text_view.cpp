#include "text/win/text_view.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "common/exception.h"
#include "common/win/device_context.h"
#include "common/win/dpi.h"
#include "common/win/locked_local.h"
#include "common/win/unique_handle.h"
#include "text/text_layout.h"
#include "text/text_loading.h"
#include "text/win/local_text_store.h"

namespace nerula {
namespace {

RECT BoundsInParent(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

// The text as the control keeps it: a movable local block, zero-terminated.
LocalMemory ControlBuffer(std::u16string_view text) {
    LocalMemory buffer(LocalAlloc(LMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t)));
    const LockedLocal<char16_t> units(buffer.Get());
    if (!units) {
        throw Exception(u"テキストがメモの容量を超えています");
    }
    std::copy(text.begin(), text.end(), units.Get());
    units.Get()[text.size()] = u'\0';
    return buffer;
}

// Gives a multi-line edit control the buffer to show and keep, and frees the one it had.
// False when the control answers with another handle than the one it was given.
bool HandOver(HWND edit, LocalMemory& buffer) {
    const auto old = reinterpret_cast<HLOCAL>(SendMessageW(edit, EM_GETHANDLE, 0, 0));
    SendMessageW(edit, EM_SETHANDLE, reinterpret_cast<WPARAM>(buffer.Get()), 0);
    if (reinterpret_cast<HLOCAL>(SendMessageW(edit, EM_GETHANDLE, 0, 0)) != buffer.Get()) {
        return false;
    }
    buffer.Release();
    // The control has let its old buffer go: it is ours to free.
    const LocalMemory previous(old);
    return true;
}

// Takes the text buffer from a multi-line edit control that is about to go, leaving it an
// empty one to free; nothing when the control does not let its buffer go.
LocalMemory TakeBuffer(HWND edit) {
    LocalMemory empty(LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(char16_t)));
    const auto text = reinterpret_cast<HLOCAL>(SendMessageW(edit, EM_GETHANDLE, 0, 0));
    if (!empty || text == nullptr) {
        return {};
    }
    SendMessageW(edit, EM_SETHANDLE, reinterpret_cast<WPARAM>(empty.Get()), 0);
    const bool taken = reinterpret_cast<HLOCAL>(SendMessageW(edit, EM_GETHANDLE, 0, 0)) == empty.Get();
    // Even a control that answers otherwise may hold the empty buffer: it is never freed
    // under the control.
    empty.Release();
    return taken ? LocalMemory(text) : LocalMemory();
}

// Shows the buffer's text: handed over where the control takes it, copied in otherwise.
void ShowBuffer(HWND edit, LocalMemory buffer) {
    if (HandOver(edit, buffer)) {
        return;
    }
    LRESULT taken = FALSE;
    if (const LockedLocal<const wchar_t> units(buffer.Get()); units) {
        taken = SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(units.Get()));
    }
    // A control that answered with another handle may still hold this one: it is left
    // rather than freed under the control.
    buffer.Release();
    if (taken == FALSE) {
        throw Exception(u"テキストがメモの容量を超えています");
    }
}

} // namespace

TextView::TextView() : font_(L"Tahoma", -11) {
    font_.SetOnChange([this] {
        if (hwnd_ != nullptr) {
            SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
        }
    });
}

TextView::~TextView() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
}

void TextView::Create(HWND parent, int id) {
    parent_ = parent;
    id_ = id;
    font_.SetDpi(WindowDpi(parent));
    CreateControl(false, RECT{0, 0, 0, 0});
}

void TextView::SetDpi(unsigned dpi) {
    font_.SetDpi(dpi);
    // Tab stops count in units of the font's average character.
    SendTabStops();
}

DWORD TextView::Style() const {
    DWORD style = WS_CHILD | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (bothScrollBars_) {
        style |= WS_HSCROLL;
    }
    return style;
}

void TextView::CreateControl(bool visible, const RECT& bounds) {
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", Style() | (visible ? WS_VISIBLE : 0), bounds.left,
                            bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr),
                            nullptr);
    if (hwnd_ == nullptr) {
        throw Exception(u"テキストがメモの容量を超えています");
    }
    // A multi-line edit control takes only 30,000 characters from the keyboard until its
    // limit is raised; zero raises it as far as it goes.
    SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    SendTabStops();
}

bool TextView::Visible() const {
    return hwnd_ != nullptr && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TextView::SetVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void TextView::SetBounds(const RECT& bounds) {
    MoveWindow(hwnd_, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
}

void TextView::SetBothScrollBars(bool both) {
    if (both == bothScrollBars_) {
        return;
    }
    const TextSelection selection = Selection();
    const bool modified = SendMessageW(hwnd_, EM_GETMODIFY, 0, 0) != 0;
    const bool focused = GetFocus() == hwnd_;
    const bool visible = Visible();
    const RECT bounds = BoundsInParent(hwnd_);
    // The text moves to the new control in its buffer, not copied: a large text is never
    // held twice.
    LocalMemory text = TakeBuffer(hwnd_);
    if (!text) {
        text = ControlBuffer(Text());
    }

    const HWND old = hwnd_;
    hwnd_ = nullptr;
    DestroyWindow(old);
    bothScrollBars_ = both;
    CreateControl(visible, bounds);

    ShowBuffer(hwnd_, std::move(text));
    SetSelection(selection);
    SendMessageW(hwnd_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
    if (focused) {
        SetFocus(hwnd_);
    }
}

void TextView::SetTabStops(std::uint32_t tabStops) {
    tabStops_ = tabStops;
    SendTabStops();
}

void TextView::SendTabStops() {
    if (hwnd_ != nullptr) {
        SendMessageW(hwnd_, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStops_));
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

std::u16string TextView::Text() const {
    const auto length = static_cast<std::size_t>(GetWindowTextLengthW(hwnd_));
    std::u16string text(length + 1, u'\0');
    const int copied =
        GetWindowTextW(hwnd_, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void TextView::SetText(LocalMemory text, std::size_t length) {
    if (static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) == length) {
        const LockedLocal<const char16_t> units(text.Get());
        if (units && Text() == std::u16string_view(units.Get(), length)) {
            return;
        }
    }
    ShowBuffer(hwnd_, std::move(text));
}

void TextView::Show(const Encoding& encoding, MemoryStream& stream, std::int32_t line, std::int32_t column) {
    // The text is written straight into memory that the control keeps as its own.
    LocalTextStore store;
    const std::size_t length = LoadText(encoding, stream.Remaining(), store);
    // The file's bytes are not needed any more while the control lays out its lines.
    stream.Release();
    SetText(store.Take(), length);
    SendTabStops();
    if (line > 1 || column > 1) {
        PositionCaret(line, column);
    }
    SetFocus(hwnd_);
}

TextSelection TextView::Selection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end - start};
}

void TextView::SetSelection(TextSelection selection) {
    SendMessageW(hwnd_, EM_SETSEL, selection.start, static_cast<LPARAM>(selection.start + selection.length));
}

void TextView::PositionCaret(std::int32_t line, std::int32_t column) {
    // Line numbers count the text's own lines, so wrapping is off while they are counted.
    const bool remembered = bothScrollBars_;
    SetBothScrollBars(true);
    // Lines before the first or after the last go to the first or the last line.
    const auto lineCount = static_cast<std::int32_t>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
    const std::int32_t index = std::clamp(line, 1, std::max(lineCount, 1)) - 1;
    const LRESULT lineStart = SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
    // The column is not held to its line: it runs on into the following ones.
    const long long position = std::max<long long>(lineStart, 0) + std::max(column, 1) - 1;
    SetBothScrollBars(remembered);
    const auto caret = static_cast<WPARAM>(std::min<long long>(position, INT_MAX));
    SendMessageW(hwnd_, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    ScrollCaret(false);
}

void TextView::ScrollCaret(bool centre) {
    const auto caretLine = static_cast<int>(SendMessageW(hwnd_, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
    const auto firstVisible = static_cast<int>(SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0));
    int visibleHeight = 0;
    int lineHeight = 0;
    if (centre) {
        RECT formatting{};
        SendMessageW(hwnd_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&formatting));
        visibleHeight = formatting.bottom - formatting.top;
        const WindowDc dc(hwnd_);
        const SelectedObject font(dc.Get(), font_.Handle());
        SIZE extent{};
        GetTextExtentPoint32W(dc.Get(), L"H", 1, &extent);
        lineHeight = extent.cy;
    }
    const int lines = CaretScrollLines(caretLine, firstVisible, centre, visibleHeight, lineHeight);
    SendMessageW(hwnd_, EM_LINESCROLL, 0, lines);
}

} // namespace nerula
