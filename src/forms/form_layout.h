#pragma once
// The rules that turn a control table into windows, without any window: scaling from 96
// dpi to a window's DPI, which window holds each control and where, the order in which the
// controls are made, and the checks that every table must pass.
//
// Which controls are windows that hold their children: Panel, Page and ScrollBox. They are
// child windows of their own (the builder gives panels and pages WS_EX_CONTROLPARENT, so
// that the dialog manager's Tab and arrow keys walk into them), and their children's
// rectangles are relative to them. A group box, a radio group and a page control hold
// their children only on the table: a group box window does not pass its children's
// notifications on, and a tab control paints over whatever lies inside it. Their children
// are therefore made on the same window as the group or the page control itself, offset by
// the group's (or the page control's) position.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "forms/form_table.h"

namespace nerula {

// value * dpi / 96, rounded to the nearest pixel with halves away from zero (as MulDiv
// rounds), so that negative values scale as their positive counterparts do.
int ScaleToDpi(int value, unsigned dpi) noexcept;
// Each of the four numbers scaled on its own, as a designer's values are.
FormRect ScaleToDpi(const FormRect& rect, unsigned dpi) noexcept;

// Panel, Page and ScrollBox: see above.
bool IsContainerWindow(ControlKind kind) noexcept;
// Whether a control of kind `child` may sit in one of kind `parent` (none: the window).
bool CanHold(std::optional<ControlKind> parent, ControlKind child) noexcept;

std::optional<std::size_t> FindControl(std::span<const ControlSpec> controls,
                                       std::u16string_view name) noexcept;

// The items of a list ('\n' between them); an empty list has none.
std::vector<std::u16string_view> ListItems(std::u16string_view items);

// A list view's column: its caption and its width at 96 dpi, 0 where the table gives none.
struct ListColumn {
    std::u16string_view caption;
    int width = 0;
    friend bool operator==(const ListColumn&, const ListColumn&) = default;
};
std::vector<ListColumn> ListColumns(std::u16string_view items);

// The columns' widths in pixels for a list whose client area is `clientWidth` wide at
// `dpi`: the widths the table gives, scaled, and `kDefaultColumnWidth` for the others when
// any is given; the client area shared evenly when none is.
inline constexpr int kDefaultColumnWidth = 50;
std::vector<int> ListColumnWidths(const std::vector<ListColumn>& columns, int clientWidth, unsigned dpi);

// The control's rectangle as designed, at 96 dpi relative to its parent: its own, or its
// parent's whole client area for FillParent.
FormRect DesignBounds(std::span<const ControlSpec> controls, const FormSpec& form, std::size_t index);

// Where a control's window goes: in which container window (none: the window itself), and
// its rectangle in that container's client area, at 96 dpi.
struct ControlPlacement {
    std::optional<std::size_t> container;
    FormRect bounds;

    friend bool operator==(const ControlPlacement&, const ControlPlacement&) = default;
};
ControlPlacement PlaceControl(std::span<const ControlSpec> controls, const FormSpec& form, std::size_t index);

// A radio group's items fill the group's client area below its caption in `columns`
// columns of equal width, each column holding ceil(items / columns) rows of equal height,
// the first column filled first. A radio group's items are windows next to it.
inline constexpr int kGroupCaptionHeight = 16; // at 96 dpi: room for the group's caption
inline constexpr int kGroupSideMargin = 8;
inline constexpr int kGroupBottomMargin = 4;
ControlPlacement PlaceRadioItem(std::span<const ControlSpec> controls, const FormSpec& form,
                                std::size_t group, int item);

// A placement in pixels at a DPI relative to the window's client area: the placement's own
// rectangle and that of each container window around it, each scaled on its own and added
// up, which is where the windows end up.
FormRect FormPosition(std::span<const ControlSpec> controls, const FormSpec& form,
                      const ControlPlacement& placement, unsigned dpi);
FormRect FormPosition(std::span<const ControlSpec> controls, const FormSpec& form, std::size_t index,
                      unsigned dpi);

// The order to make the controls in, as table indices: the controls without a parent by
// tab order, each followed by its children in theirs, depth first. The dialog manager
// walks the windows of one parent in the order they were made, so this order is the tab
// order. One exception: a page control's pages (with their controls) come just before the
// page control, because a page must lie above the tabs for clicks to reach it.
std::vector<std::size_t> CreationOrder(std::span<const ControlSpec> controls);

enum class FormFault {
    EmptyName,
    DuplicateName,
    DuplicateId,      // also an ID that one of a radio group's items takes
    MissingParent,    // no control has the parent's name
    ParentAfterChild, // a parent comes later in the table than its child (or is the child)
    ParentCannotHold, // e.g. a page outside a page control, or a child of an edit
    DuplicateTabOrder,
    SecondDefault,
    SecondCancel,
    NotAPushButton,   // Default or Cancel on a control that is no push button
    CancelIdMismatch, // a Cancel button without kCancelButtonId, or that ID without Cancel
    NegativeSize,
    BadRadioGroup, // fewer than one column, or a first item beyond the items
};

struct FormProblem {
    FormFault fault;
    std::size_t control; // table index of the control at fault

    friend bool operator==(const FormProblem&, const FormProblem&) = default;
};

// Every fault in the table; empty for a table that can be built.
std::vector<FormProblem> ValidateForm(std::span<const ControlSpec> controls);

} // namespace nerula
