#pragma once
// A window's controls as a constant table: what each control is, where it sits at 96 dpi
// and how it behaves, in the program's own terms. The Win32 builder turns a table into
// windows at the window's DPI; the layout functions (forms/form_layout.h) hold every rule
// that does not need a window, so that they can be tested natively.
//
// Rectangles are given as a form designer shows them: left, top, width and height in
// pixels at 96 dpi, relative to the parent control's client area (for the children of a
// group box or a radio group, relative to the group box), or to the window's client area
// for a control without a parent.

#include <cstdint>
#include <string_view>

namespace nerula {

enum class ControlKind : std::uint8_t {
    Panel,       // a plain area that holds other controls; a raised edge unless NoBevel
    Label,       // static text; an '&' in it gives focus to the next control in tab order
    Edit,        // single-line text, or multi-line with Multiline
    CheckBox,    //
    RadioButton, // one round option; consecutive ones among the same siblings form a group
    RadioGroup,  // a group box with one radio button per item, in columns
    PushButton,  //
    GroupBox,    // a framed caption around other controls
    PageControl, // tabs that choose which of its pages is shown
    Page,        // one page of a page control; its caption is the tab's text
    ListView,    // rows in the columns that its items name; without items one column, no header
    UpDown,      // arrows that step the number in the control just before it in tab order
    ScrollBox,   // the main window's picture area, made by the main window itself
    Image,       // the picture inside the scroll box, made by the main window itself
};

enum class ControlOption : std::uint32_t {
    TabStop = 1u << 0,     // reached with the Tab key
    Default = 1u << 1,     // the push button that Enter presses
    Cancel = 1u << 2,      // the push button that Escape presses (its ID is kCancelButtonId)
    Hidden = 1u << 3,      // not shown at first
    Disabled = 1u << 4,    // greyed out at first
    Checked = 1u << 5,     // check box or radio button checked at first
    ReadOnly = 1u << 6,    // edit: shows its text without taking changes
    Number = 1u << 7,      // edit: takes digits only
    Multiline = 1u << 8,   // edit: several lines with a vertical scroll bar
    NoBevel = 1u << 9,     // panel: no edge drawn around it
    CheckBoxes = 1u << 10, // list view: a check box in front of each row
    FillParent = 1u << 11, // takes the whole client area of its parent; the rectangle is unused
    Sorted = 1u << 12,     // list view: rows kept in the order of their captions
    ThreeState = 1u << 13, // check box: checked, unchecked or greyed, set by its owner on a click
};

// A set of options; a single option converts to the set holding it, and sets combine with |.
class ControlOptions {
public:
    constexpr ControlOptions() noexcept = default;
    constexpr ControlOptions(ControlOption option) noexcept : bits_(static_cast<std::uint32_t>(option)) {}

    constexpr bool Has(ControlOption option) const noexcept {
        return (bits_ & static_cast<std::uint32_t>(option)) != 0;
    }
    constexpr std::uint32_t Bits() const noexcept { return bits_; }

    friend constexpr ControlOptions operator|(ControlOptions a, ControlOptions b) noexcept {
        ControlOptions both;
        both.bits_ = a.bits_ | b.bits_;
        return both;
    }
    friend constexpr bool operator==(ControlOptions, ControlOptions) noexcept = default;

private:
    std::uint32_t bits_ = 0;
};

constexpr ControlOptions operator|(ControlOption a, ControlOption b) noexcept {
    return ControlOptions(a) | ControlOptions(b);
}

// The IDs that the dialog manager sends for Enter (when no default button is set) and for
// Escape or the window's close box: a table's OK and Cancel buttons carry them, so that a
// key and a click reach the window the same way.
inline constexpr int kOkButtonId = 1;
inline constexpr int kCancelButtonId = 2;

// A rectangle in pixels: at 96 dpi in a table, at the window's DPI once scaled.
struct FormRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend constexpr bool operator==(const FormRect&, const FormRect&) noexcept = default;
};

struct ControlSpec {
    std::u16string_view name{}; // unique in its table; how code finds the control
    ControlKind kind = ControlKind::Panel;
    std::u16string_view parent{}; // the name of the control that holds it; empty: the window
    FormRect bounds{};            // at 96 dpi, relative to the parent
    std::u16string_view caption{};
    // A radio group's items or a list view's columns, '\n' between them; a column may give
    // its width at 96 dpi after a tab ("形式\t200").
    std::u16string_view items{};
    ControlOptions options{};
    int tabOrder = 0; // among the controls of the same parent, unique, lowest first
    int id = 0;       // the control's ID in its notifications; 0: none
    // A radio group's items: laid out in this many columns, the first column filled first;
    // `itemIndex` is the item checked at first (-1: none). Item i has the ID id + 1 + i.
    int columns = 1;
    int itemIndex = -1;
    // An up-down control's range.
    int minimum = 0;
    int maximum = 0;
};

enum class FormBorder : std::uint8_t {
    Dialog,   // fixed size, caption with a close box
    Sizeable, // a frame that resizes, with minimise and maximise boxes
};

// The window itself.
struct FormSpec {
    std::u16string_view caption{};
    int clientWidth = 0; // at 96 dpi
    int clientHeight = 0;
    std::u16string_view fontFace{};
    int fontHeight = 0; // at 96 dpi, as in LOGFONT: negative for the characters' height
    FormBorder border = FormBorder::Dialog;
};

} // namespace nerula
