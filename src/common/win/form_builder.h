#pragma once
// Makes a window's controls from its table (forms/form_table.h) at a DPI, and lays them
// out again when the window moves to a monitor of another DPI.
//
// Panels and pages are windows of a small class of the builder's own that passes its
// children's WM_COMMAND, WM_NOTIFY, scroll and WM_CTLCOLOR* messages on to its parent, so
// that every notification reaches the window itself, however deep its control sits; they
// have WS_EX_CONTROLPARENT, so that the dialog manager's keys walk into them. Group boxes,
// radio groups and page controls are made next to their children (forms/form_layout.h).
//
// Keys: every control starts a group of its own (WS_GROUP) except a radio button that
// follows another among the same siblings, and a radio group's items after the first, so
// that the arrow keys move between those. A radio group's tab stop is its checked item.
// The Default push button gets BS_DEFPUSHBUTTON (the dialog base also names it to the
// dialog manager with DM_SETDEFID). The Cancel push button carries IDCANCEL as its ID, the
// ID that the dialog manager sends for Escape, so a key and a click arrive the same way.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include <windows.h>

#include "common/win/unique_handle.h"
#include "forms/form_table.h"

namespace nerula {

class BuiltForm {
public:
    // Makes every control of `controls` on `window` in creation order, at `dpi`, each with
    // the form's font made for that DPI, and gives the window the form's client size. The
    // table is kept, not copied: it must outlive this object (tables are constants).
    // Scroll boxes and images are the main window's own and are refused.
    BuiltForm(HWND window, std::span<const ControlSpec> controls, const FormSpec& form, unsigned dpi);
    // Destroys the controls if the window still exists, before their font goes.
    ~BuiltForm();
    BuiltForm(const BuiltForm&) = delete;
    BuiltForm& operator=(const BuiltForm&) = delete;

    HWND Window() const noexcept { return window_; }
    unsigned Dpi() const noexcept { return dpi_; }
    HFONT Font() const noexcept { return static_cast<HFONT>(font_.Get()); }

    // The control of that name or ID (a radio group's: its group box); nullptr if none.
    HWND Control(std::u16string_view name) const noexcept;
    HWND ControlById(int id) const noexcept;
    // One item of a radio group; nullptr if there is no such item.
    HWND RadioItem(std::u16string_view group, int item) const noexcept;
    // The ID of the table's Default push button, if it has one.
    std::optional<int> DefaultButtonId() const noexcept;

    // A control's own state, whatever its containers' is; a radio group's is its group
    // box's, and setting it sets its items' too. Unknown names read as false and set nothing.
    bool IsShown(std::u16string_view name) const noexcept;
    void SetShown(std::u16string_view name, bool shown) const noexcept;
    bool IsEnabled(std::u16string_view name) const noexcept;
    void SetEnabled(std::u16string_view name, bool enabled) const noexcept;

    // Gives the window the form's client size at the current DPI, the frame measured at the
    // DPI that the window itself is shown at; the window keeps its position.
    void ApplyClientSize() const;
    // The same for a client area of its own, in pixels at the current DPI.
    void ApplyClientSize(int width, int height) const;
    // Moves and sizes every control for `dpi` and gives them a font made for it, for a
    // window that has been moved to a monitor of that DPI (WM_DPICHANGED, after the window
    // has taken the suggested rectangle). The window's own size is left as it is.
    void Relayout(unsigned dpi);

    // The page shown by a page control, and choosing it as a click on its tab does.
    int SelectedPage(std::u16string_view pageControl) const noexcept;
    void SelectPage(std::u16string_view pageControl, int page);
    // Shows the page whose tab was chosen (TCN_SELCHANGE of one of the form's page
    // controls); false for any other notification.
    bool HandleNotify(const NMHDR& header);

private:
    struct Entry {
        std::size_t control; // table index
        int item;            // a radio group's item; -1: the control itself
        HWND window;
    };

    void Create(std::size_t index);
    HWND CreateOne(std::size_t index, int item, const wchar_t* windowClass, const wchar_t* caption,
                   DWORD style, DWORD exStyle, int id);
    HWND ContainerOf(std::size_t index) const noexcept;
    RECT PixelBounds(std::size_t index, int item) const;
    std::vector<std::size_t> Pages(std::size_t pageControl) const;
    void SizeListColumns(std::size_t index, HWND list) const;
    // Widens a label to its text in the form's font, as a label sizes itself to its text.
    void FitLabel(HWND label) const;
    const Entry* Find(std::size_t index, int item) const noexcept;

    HWND window_;
    std::span<const ControlSpec> controls_;
    FormSpec form_;
    unsigned dpi_;
    GdiObject font_;
    std::vector<Entry> entries_;
};

} // namespace nerula
