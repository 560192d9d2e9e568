#include "common/win/form_builder.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include <commctrl.h>

#include "common/exception.h"
#include "common/win/device_context.h"
#include "common/win/dpi.h"
#include "common/win/error_presenter.h"
#include "common/win/system_error.h"
#include "common/win/wide.h"
#include "forms/form_layout.h"

namespace nerula {
namespace {

constexpr wchar_t kContainerClass[] = L"NerulaFormContainer";
// The container's extra window memory: its font, and what it draws of its own.
constexpr int kFontSlot = 0;
constexpr int kLookSlot = static_cast<int>(sizeof(LONG_PTR));
constexpr LONG_PTR kDrawsEdge = 1;    // a panel's raised edge
constexpr LONG_PTR kDrawsCaption = 2; // a panel's caption; a page's is its tab's text

bool ForwardsToParent(UINT message, LPARAM lParam) noexcept {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
        // From a control (an up-down control, say), not from the container's own bars.
        return lParam != 0;
    default:
        return false;
    }
}

void PaintContainer(HWND window) {
    const PaintDc paint(window);
    RECT client{};
    GetClientRect(window, &client);
    const LONG_PTR look = GetWindowLongPtrW(window, kLookSlot);
    if ((look & kDrawsEdge) != 0) {
        DrawEdge(paint.Get(), &client, BDR_RAISEDINNER, BF_RECT);
    }
    const int length = GetWindowTextLengthW(window);
    if ((look & kDrawsCaption) != 0 && length > 0) {
        std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
        caption.resize(static_cast<std::size_t>(GetWindowTextW(window, caption.data(), length + 1)));
        const SelectedObject font(paint.Get(),
                                  reinterpret_cast<HGDIOBJ>(GetWindowLongPtrW(window, kFontSlot)));
        SetBkMode(paint.Get(), TRANSPARENT);
        SetTextColor(paint.Get(), GetSysColor(COLOR_BTNTEXT));
        DrawTextW(paint.Get(), caption.c_str(), static_cast<int>(caption.size()), &client,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (ForwardsToParent(message, lParam)) {
            if (const HWND parent = GetParent(window)) {
                return SendMessageW(parent, message, wParam, lParam);
            }
        }
        switch (message) {
        case WM_SETFONT:
            SetWindowLongPtrW(window, kFontSlot, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam) != 0) {
                InvalidateRect(window, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrW(window, kFontSlot);
        case WM_PAINT:
            PaintContainer(window);
            return 0;
        default:
            break;
        }
    } catch (...) {
        PresentCurrentException();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterContainerClass() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kContainerClass, &existing)) {
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    // Redrawn whole on every size change: the edge runs along all four sides.
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &ContainerProc;
    wc.cbWndExtra = 2 * static_cast<int>(sizeof(LONG_PTR));
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kContainerClass;
    if (RegisterClassExW(&wc) == 0) {
        throw Exception(SystemErrorText(GetLastError()));
    }
}

void InitCommonControlClasses() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                         ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    static_cast<void>(done);
}

GdiObject MakeFont(const FormSpec& form, unsigned dpi) {
    LOGFONTW font{};
    font.lfHeight = ScaleToDpi(form.fontHeight, dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    ToWide(form.fontFace.substr(0, LF_FACESIZE - 1)).copy(font.lfFaceName, LF_FACESIZE - 1);
    GdiObject handle(CreateFontIndirectW(&font));
    if (!handle) {
        throw Exception(SystemErrorText(GetLastError()));
    }
    return handle;
}

int ItemId(const ControlSpec& design, int item) noexcept {
    if (item < 0) {
        return design.id;
    }
    return design.id != 0 ? design.id + 1 + item : 0;
}

} // namespace

static_assert(kOkButtonId == IDOK && kCancelButtonId == IDCANCEL);

BuiltForm::BuiltForm(HWND window, std::span<const ControlSpec> controls, const FormSpec& form, unsigned dpi)
    : window_(window), controls_(controls), form_(form), dpi_(dpi), font_(MakeFont(form, dpi)) {
    if (!ValidateForm(controls).empty()) {
        throw std::logic_error("the form's control table is not valid");
    }
    InitCommonControlClasses();
    RegisterContainerClass();
    try {
        for (const std::size_t index : CreationOrder(controls_)) {
            Create(index);
        }
        ApplyClientSize();
    } catch (...) {
        // The controls made so far go before their font does.
        for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
            DestroyWindow(entry->window);
        }
        throw;
    }
}

BuiltForm::~BuiltForm() {
    // Children first; a container's children are gone with it, and with the window all are.
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        if (IsWindow(entry->window)) {
            DestroyWindow(entry->window);
        }
    }
}

HWND BuiltForm::Control(std::u16string_view name) const noexcept {
    const auto index = FindControl(controls_, name);
    const Entry* entry = index ? Find(*index, -1) : nullptr;
    return entry != nullptr ? entry->window : nullptr;
}

HWND BuiltForm::ControlById(int id) const noexcept {
    if (id == 0) {
        return nullptr;
    }
    for (const Entry& entry : entries_) {
        if (ItemId(controls_[entry.control], entry.item) == id) {
            return entry.window;
        }
    }
    return nullptr;
}

HWND BuiltForm::RadioItem(std::u16string_view group, int item) const noexcept {
    const auto index = FindControl(controls_, group);
    const Entry* entry = index && item >= 0 ? Find(*index, item) : nullptr;
    return entry != nullptr ? entry->window : nullptr;
}

std::optional<int> BuiltForm::DefaultButtonId() const noexcept {
    for (const ControlSpec& design : controls_) {
        if (design.kind == ControlKind::PushButton && design.options.Has(ControlOption::Default)) {
            return design.id;
        }
    }
    return std::nullopt;
}

bool BuiltForm::IsShown(std::u16string_view name) const noexcept {
    const HWND control = Control(name);
    return control != nullptr && (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void BuiltForm::SetShown(std::u16string_view name, bool shown) const noexcept {
    const auto index = FindControl(controls_, name);
    for (const Entry& entry : entries_) {
        if (index && entry.control == *index) {
            ShowWindow(entry.window, shown ? SW_SHOWNA : SW_HIDE);
        }
    }
}

bool BuiltForm::IsEnabled(std::u16string_view name) const noexcept {
    const HWND control = Control(name);
    return control != nullptr && (GetWindowLongPtrW(control, GWL_STYLE) & WS_DISABLED) == 0;
}

void BuiltForm::SetEnabled(std::u16string_view name, bool enabled) const noexcept {
    const auto index = FindControl(controls_, name);
    for (const Entry& entry : entries_) {
        if (index && entry.control == *index) {
            EnableWindow(entry.window, enabled ? TRUE : FALSE);
        }
    }
}

void BuiltForm::ApplyClientSize() const {
    ApplyClientSize(ScaleToDpi(form_.clientWidth, dpi_), ScaleToDpi(form_.clientHeight, dpi_));
}

void BuiltForm::ApplyClientSize(int width, int height) const {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
    const bool menu = (style & WS_CHILD) == 0 && GetMenu(window_) != nullptr;
    SIZE outer = WindowSizeForClient(width, height, style, exStyle, menu, WindowDpi(window_));
    constexpr UINT keep = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, keep);
    // A menu bar that wraps, or a frame that the system draws otherwise than it reports,
    // leaves a difference; the measured client area settles it.
    RECT client{};
    GetClientRect(window_, &client);
    if (client.right != width || client.bottom != height) {
        outer.cx += width - client.right;
        outer.cy += height - client.bottom;
        SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, keep);
    }
}

void BuiltForm::Relayout(unsigned dpi) {
    GdiObject font = MakeFont(form_, dpi);
    dpi_ = dpi;
    // The old font stays alive until every control has taken the new one.
    const GdiObject old(font_.Release());
    font_ = std::move(font);
    for (const Entry& entry : entries_) {
        const RECT r = PixelBounds(entry.control, entry.item);
        SetWindowPos(entry.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(entry.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        if (controls_[entry.control].kind == ControlKind::ListView) {
            SizeListColumns(entry.control, entry.window);
        }
        if (controls_[entry.control].kind == ControlKind::Label) {
            FitLabel(entry.window);
        }
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int BuiltForm::SelectedPage(std::u16string_view pageControl) const noexcept {
    const HWND tabs = Control(pageControl);
    return tabs != nullptr ? static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)) : -1;
}

void BuiltForm::SelectPage(std::u16string_view pageControl, int page) {
    const auto index = FindControl(controls_, pageControl);
    if (!index || controls_[*index].kind != ControlKind::PageControl) {
        return;
    }
    const std::vector<std::size_t> pages = Pages(*index);
    if (page < 0 || static_cast<std::size_t>(page) >= pages.size()) {
        return;
    }
    SendMessageW(Control(pageControl), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    // The new page is shown before the old one goes, so that nothing shows through.
    const Entry* shown = Find(pages[static_cast<std::size_t>(page)], -1);
    ShowWindow(shown->window, SW_SHOW);
    for (const std::size_t other : pages) {
        if (const Entry* entry = Find(other, -1); entry != shown) {
            ShowWindow(entry->window, SW_HIDE);
        }
    }
}

bool BuiltForm::HandleNotify(const NMHDR& header) {
    if (header.code != static_cast<UINT>(TCN_SELCHANGE)) {
        return false;
    }
    for (const Entry& entry : entries_) {
        if (entry.window == header.hwndFrom && controls_[entry.control].kind == ControlKind::PageControl) {
            SelectPage(controls_[entry.control].name,
                       static_cast<int>(SendMessageW(entry.window, TCM_GETCURSEL, 0, 0)));
            return true;
        }
    }
    return false;
}

void BuiltForm::Create(std::size_t index) {
    const ControlSpec& design = controls_[index];
    const std::wstring caption = ToWide(design.caption);
    DWORD style = WS_CHILD | WS_GROUP;
    DWORD exStyle = 0;
    if (!design.options.Has(ControlOption::Hidden)) {
        style |= WS_VISIBLE;
    }
    if (design.options.Has(ControlOption::Disabled)) {
        style |= WS_DISABLED;
    }
    if (design.options.Has(ControlOption::TabStop)) {
        style |= WS_TABSTOP;
    }
    switch (design.kind) {
    case ControlKind::Panel:
    case ControlKind::Page: {
        exStyle |= WS_EX_CONTROLPARENT;
        style &= ~static_cast<DWORD>(WS_TABSTOP);
        if (design.kind == ControlKind::Page) {
            // Only the first page shows at first; the page control shows the others.
            const std::optional<std::size_t> tabs = FindControl(controls_, design.parent);
            const std::vector<std::size_t> pages = Pages(*tabs);
            if (pages.front() != index) {
                style &= ~static_cast<DWORD>(WS_VISIBLE);
            }
        }
        const HWND panel = CreateOne(index, -1, kContainerClass, caption.c_str(), style, exStyle, design.id);
        LONG_PTR look = 0;
        if (design.kind == ControlKind::Panel) {
            look = kDrawsCaption | (design.options.Has(ControlOption::NoBevel) ? 0 : kDrawsEdge);
        }
        SetWindowLongPtrW(panel, kLookSlot, look);
        return;
    }
    case ControlKind::Label:
        // On one line, as wide as its text: a font wider than the designed one (another
        // face standing in for it) must not wrap the access key out of sight.
        FitLabel(
            CreateOne(index, -1, WC_STATICW, caption.c_str(), style | SS_LEFTNOWORDWRAP, exStyle, design.id));
        return;
    case ControlKind::Edit:
        if (design.options.Has(ControlOption::Multiline)) {
            style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
        } else {
            style |= ES_AUTOHSCROLL;
        }
        if (design.options.Has(ControlOption::ReadOnly)) {
            style |= ES_READONLY;
        }
        if (design.options.Has(ControlOption::Number)) {
            style |= ES_NUMBER;
        }
        if (!design.options.Has(ControlOption::NoBevel)) {
            exStyle |= WS_EX_CLIENTEDGE;
        }
        CreateOne(index, -1, WC_EDITW, caption.c_str(), style, exStyle, design.id);
        return;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: {
        if (design.kind == ControlKind::RadioButton) {
            style |= BS_AUTORADIOBUTTON;
            // Radio buttons that follow one another among the same siblings are one group.
            const std::vector<std::size_t> order = CreationOrder(controls_);
            const auto at = std::find(order.begin(), order.end(), index);
            if (at != order.begin() && controls_[*(at - 1)].kind == ControlKind::RadioButton &&
                controls_[*(at - 1)].parent == design.parent) {
                style &= ~static_cast<DWORD>(WS_GROUP);
            }
        } else {
            // A three-state box moves itself only as its owner says.
            style |= design.options.Has(ControlOption::ThreeState) ? BS_3STATE : BS_AUTOCHECKBOX;
        }
        const HWND button = CreateOne(index, -1, WC_BUTTONW, caption.c_str(), style, exStyle, design.id);
        if (design.options.Has(ControlOption::Checked)) {
            SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
        }
        return;
    }
    case ControlKind::PushButton:
        style |= design.options.Has(ControlOption::Default) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        CreateOne(index, -1, WC_BUTTONW, caption.c_str(), style, exStyle, design.id);
        return;
    case ControlKind::GroupBox:
        style &= ~static_cast<DWORD>(WS_TABSTOP);
        CreateOne(index, -1, WC_BUTTONW, caption.c_str(), style | BS_GROUPBOX, exStyle, design.id);
        return;
    case ControlKind::RadioGroup: {
        const DWORD shared = style & (WS_VISIBLE | WS_DISABLED);
        CreateOne(index, -1, WC_BUTTONW, caption.c_str(), WS_CHILD | WS_GROUP | BS_GROUPBOX | shared, exStyle,
                  design.id);
        const std::vector<std::u16string_view> items = ListItems(design.items);
        const int tabItem = std::max(0, design.itemIndex);
        for (int item = 0; item < static_cast<int>(items.size()); ++item) {
            DWORD itemStyle = WS_CHILD | BS_AUTORADIOBUTTON | shared;
            if (item == 0) {
                itemStyle |= WS_GROUP;
            }
            if (item == tabItem && design.options.Has(ControlOption::TabStop)) {
                itemStyle |= WS_TABSTOP;
            }
            const std::wstring text = ToWide(items[static_cast<std::size_t>(item)]);
            const HWND radio =
                CreateOne(index, item, WC_BUTTONW, text.c_str(), itemStyle, 0, ItemId(design, item));
            if (item == design.itemIndex) {
                SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
            }
        }
        return;
    }
    case ControlKind::PageControl: {
        // Below its pages, which lie over it: it must not paint over them.
        const HWND tabs = CreateOne(index, -1, WC_TABCONTROLW, caption.c_str(), style | WS_CLIPSIBLINGS,
                                    exStyle, design.id);
        int position = 0;
        for (const std::size_t page : Pages(index)) {
            std::wstring text = ToWide(controls_[page].caption);
            TCITEMW tab{};
            tab.mask = TCIF_TEXT;
            tab.pszText = text.data();
            SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(position++),
                         reinterpret_cast<LPARAM>(&tab));
        }
        return;
    }
    case ControlKind::ListView: {
        style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
        if (design.options.Has(ControlOption::Sorted)) {
            style |= LVS_SORTASCENDING;
        }
        const std::vector<ListColumn> columns = ListColumns(design.items);
        if (columns.empty()) {
            style |= LVS_NOCOLUMNHEADER;
        }
        const HWND list =
            CreateOne(index, -1, WC_LISTVIEWW, caption.c_str(), style, exStyle | WS_EX_CLIENTEDGE, design.id);
        DWORD extended = LVS_EX_FULLROWSELECT;
        if (design.options.Has(ControlOption::CheckBoxes)) {
            extended |= LVS_EX_CHECKBOXES;
        }
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
        const std::size_t count = std::max<std::size_t>(1, columns.size());
        for (std::size_t column = 0; column < count; ++column) {
            std::wstring text = column < columns.size() ? ToWide(columns[column].caption) : std::wstring();
            LVCOLUMNW header{};
            header.mask = LVCF_TEXT | LVCF_WIDTH;
            header.pszText = text.data();
            SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
        }
        SizeListColumns(index, list);
        return;
    }
    case ControlKind::UpDown: {
        // Its buddy is the control made just before it on the same parent.
        style |= UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
        const HWND arrows = CreateOne(index, -1, UPDOWN_CLASSW, L"", style, exStyle, design.id);
        SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(design.minimum), design.maximum);
        return;
    }
    case ControlKind::ScrollBox:
    case ControlKind::Image:
        throw std::logic_error("scroll boxes and images are made by the main window itself");
    }
}

HWND BuiltForm::CreateOne(std::size_t index, int item, const wchar_t* windowClass, const wchar_t* caption,
                          DWORD style, DWORD exStyle, int id) {
    const RECT r = PixelBounds(index, item);
    const HWND control = CreateWindowExW(exStyle, windowClass, caption, style, r.left, r.top,
                                         r.right - r.left, r.bottom - r.top, ContainerOf(index),
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) {
        throw Exception(SystemErrorText(GetLastError()));
    }
    entries_.push_back({index, item, control});
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return control;
}

HWND BuiltForm::ContainerOf(std::size_t index) const noexcept {
    const ControlPlacement placement = PlaceControl(controls_, form_, index);
    if (!placement.container) {
        return window_;
    }
    const Entry* container = Find(*placement.container, -1);
    return container != nullptr ? container->window : window_;
}

RECT BuiltForm::PixelBounds(std::size_t index, int item) const {
    const ControlPlacement placement =
        item < 0 ? PlaceControl(controls_, form_, index) : PlaceRadioItem(controls_, form_, index, item);
    const FormRect r = ScaleToDpi(placement.bounds, dpi_);
    return RECT{r.left, r.top, r.left + r.width, r.top + r.height};
}

std::vector<std::size_t> BuiltForm::Pages(std::size_t pageControl) const {
    std::vector<std::size_t> pages;
    for (const std::size_t index : CreationOrder(controls_)) {
        if (controls_[index].kind == ControlKind::Page &&
            controls_[index].parent == controls_[pageControl].name) {
            pages.push_back(index);
        }
    }
    return pages;
}

void BuiltForm::FitLabel(HWND label) const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    // The text as drawn: "&&" is one ampersand, a single '&' marks the access key.
    std::wstring shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
        }
        shown.push_back(text[i]);
    }
    const WindowDc dc(label);
    const SelectedObject font(dc.Get(), font_.Get());
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), shown.c_str(), static_cast<int>(shown.size()), &extent);
    RECT bounds{};
    GetWindowRect(label, &bounds);
    if (extent.cx > bounds.right - bounds.left) {
        SetWindowPos(label, nullptr, 0, 0, extent.cx, bounds.bottom - bounds.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void BuiltForm::SizeListColumns(std::size_t index, HWND list) const {
    RECT client{};
    GetClientRect(list, &client);
    const std::vector<int> widths = ListColumnWidths(ListColumns(controls_[index].items), client.right, dpi_);
    for (std::size_t column = 0; column < widths.size(); ++column) {
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(widths[column], 0));
    }
}

const BuiltForm::Entry* BuiltForm::Find(std::size_t index, int item) const noexcept {
    for (const Entry& entry : entries_) {
        if (entry.control == index && entry.item == item) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace nerula
