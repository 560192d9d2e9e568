#include "forms/form_layout.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace nerula {
namespace {

// The parent's index, only where it comes before the control: a table that breaks that
// rule is reported by ValidateForm, and the other functions then treat the control as one
// of the window's own rather than follow a loop.
std::optional<std::size_t> ParentIndex(std::span<const ControlSpec> controls, std::size_t index) noexcept {
    const std::u16string_view parent = controls[index].parent;
    if (parent.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < index; ++i) {
        if (controls[i].name == parent) {
            return i;
        }
    }
    return std::nullopt;
}

// A rectangle relative to the control `parent` (none: the window), moved out through every
// parent that is no container window until it is relative to one.
ControlPlacement Lift(std::span<const ControlSpec> controls, const FormSpec& form,
                      std::optional<std::size_t> parent, FormRect bounds) {
    while (parent && !IsContainerWindow(controls[*parent].kind)) {
        const FormRect outer = DesignBounds(controls, form, *parent);
        bounds.left += outer.left;
        bounds.top += outer.top;
        parent = ParentIndex(controls, *parent);
    }
    return {parent, bounds};
}

void AppendChildren(std::span<const ControlSpec> controls, std::u16string_view parent,
                    std::vector<std::size_t>& order) {
    std::vector<std::size_t> children;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].parent == parent) {
            children.push_back(i);
        }
    }
    std::stable_sort(children.begin(), children.end(), [&](std::size_t a, std::size_t b) {
        return controls[a].tabOrder < controls[b].tabOrder;
    });
    for (const std::size_t child : children) {
        const std::u16string_view name = controls[child].name;
        // An unnamed control can hold nothing; following its empty name would start again
        // from the window's own controls.
        if (controls[child].kind == ControlKind::PageControl) {
            if (!name.empty()) {
                AppendChildren(controls, name, order);
            }
            order.push_back(child);
        } else {
            order.push_back(child);
            if (!name.empty()) {
                AppendChildren(controls, name, order);
            }
        }
    }
}

} // namespace

int ScaleToDpi(int value, unsigned dpi) noexcept {
    const std::int64_t product = static_cast<std::int64_t>(value) * static_cast<std::int64_t>(dpi);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + 48) / 96;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

FormRect ScaleToDpi(const FormRect& rect, unsigned dpi) noexcept {
    return {ScaleToDpi(rect.left, dpi), ScaleToDpi(rect.top, dpi), ScaleToDpi(rect.width, dpi),
            ScaleToDpi(rect.height, dpi)};
}

bool IsContainerWindow(ControlKind kind) noexcept {
    return kind == ControlKind::Panel || kind == ControlKind::Page || kind == ControlKind::ScrollBox;
}

bool CanHold(std::optional<ControlKind> parent, ControlKind child) noexcept {
    if (child == ControlKind::Page) {
        return parent == ControlKind::PageControl;
    }
    if (child == ControlKind::Image) {
        return parent == ControlKind::ScrollBox;
    }
    if (!parent) {
        return true;
    }
    switch (*parent) {
    case ControlKind::Panel:
    case ControlKind::Page:
    case ControlKind::GroupBox:
        return true;
    default:
        return false;
    }
}

std::optional<std::size_t> FindControl(std::span<const ControlSpec> controls,
                                       std::u16string_view name) noexcept {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<ListColumn> ListColumns(std::u16string_view items) {
    std::vector<ListColumn> columns;
    for (const std::u16string_view item : ListItems(items)) {
        const std::size_t tab = item.find(u'\t');
        ListColumn column{item.substr(0, tab), 0};
        if (tab != std::u16string_view::npos) {
            for (const char16_t digit : item.substr(tab + 1)) {
                if (digit < u'0' || digit > u'9' || column.width > 100000) {
                    throw std::invalid_argument("a list column's width must be decimal digits");
                }
                column.width = column.width * 10 + (digit - u'0');
            }
        }
        columns.push_back(column);
    }
    return columns;
}

std::vector<int> ListColumnWidths(const std::vector<ListColumn>& columns, int clientWidth, unsigned dpi) {
    const std::size_t count = std::max<std::size_t>(1, columns.size());
    const bool given =
        std::any_of(columns.begin(), columns.end(), [](const ListColumn& c) { return c.width > 0; });
    std::vector<int> widths;
    if (given) {
        for (const ListColumn& column : columns) {
            widths.push_back(ScaleToDpi(column.width > 0 ? column.width : kDefaultColumnWidth, dpi));
        }
        return widths;
    }
    const int share = clientWidth / static_cast<int>(count);
    for (std::size_t column = 0; column < count; ++column) {
        // The last column takes what the division leaves.
        widths.push_back(column + 1 < count ? share : clientWidth - share * static_cast<int>(count - 1));
    }
    return widths;
}

std::vector<std::u16string_view> ListItems(std::u16string_view caption) {
    std::vector<std::u16string_view> lines;
    if (caption.empty()) {
        return lines;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = caption.find(u'\n', start);
        if (end == std::u16string_view::npos) {
            lines.push_back(caption.substr(start));
            return lines;
        }
        lines.push_back(caption.substr(start, end - start));
        start = end + 1;
    }
}

FormRect DesignBounds(std::span<const ControlSpec> controls, const FormSpec& form, std::size_t index) {
    const ControlSpec& control = controls[index];
    if (!control.options.Has(ControlOption::FillParent)) {
        return control.bounds;
    }
    if (const auto parent = ParentIndex(controls, index)) {
        const FormRect outer = DesignBounds(controls, form, *parent);
        return {0, 0, outer.width, outer.height};
    }
    return {0, 0, form.clientWidth, form.clientHeight};
}

ControlPlacement PlaceControl(std::span<const ControlSpec> controls, const FormSpec& form,
                              std::size_t index) {
    return Lift(controls, form, ParentIndex(controls, index), DesignBounds(controls, form, index));
}

ControlPlacement PlaceRadioItem(std::span<const ControlSpec> controls, const FormSpec& form,
                                std::size_t group, int item) {
    const ControlSpec& design = controls[group];
    const int items = std::max(1, static_cast<int>(ListItems(design.items).size()));
    const int columns = std::max(1, design.columns);
    const int rows = (items + columns - 1) / columns;
    const FormRect outer = DesignBounds(controls, form, group);
    const int columnWidth = (outer.width - 2 * kGroupSideMargin) / columns;
    const int rowHeight = (outer.height - kGroupCaptionHeight - kGroupBottomMargin) / rows;
    const FormRect bounds{outer.left + kGroupSideMargin + (item / rows) * columnWidth,
                          outer.top + kGroupCaptionHeight + (item % rows) * rowHeight, columnWidth,
                          rowHeight};
    return Lift(controls, form, ParentIndex(controls, group), bounds);
}

FormRect FormPosition(std::span<const ControlSpec> controls, const FormSpec& form,
                      const ControlPlacement& placement, unsigned dpi) {
    FormRect position = ScaleToDpi(placement.bounds, dpi);
    std::optional<std::size_t> container = placement.container;
    while (container) {
        const ControlPlacement outer = PlaceControl(controls, form, *container);
        const FormRect offset = ScaleToDpi(outer.bounds, dpi);
        position.left += offset.left;
        position.top += offset.top;
        container = outer.container;
    }
    return position;
}

FormRect FormPosition(std::span<const ControlSpec> controls, const FormSpec& form, std::size_t index,
                      unsigned dpi) {
    return FormPosition(controls, form, PlaceControl(controls, form, index), dpi);
}

std::vector<std::size_t> CreationOrder(std::span<const ControlSpec> controls) {
    std::vector<std::size_t> order;
    order.reserve(controls.size());
    AppendChildren(controls, std::u16string_view(), order);
    return order;
}

std::vector<FormProblem> ValidateForm(std::span<const ControlSpec> controls) {
    std::vector<FormProblem> problems;
    const auto report = [&](FormFault fault, std::size_t control) { problems.push_back({fault, control}); };
    std::vector<int> ids;
    bool haveDefault = false;
    bool haveCancel = false;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlSpec& c = controls[i];
        if (c.name.empty()) {
            report(FormFault::EmptyName, i);
        } else if (FindControl(controls.first(i), c.name)) {
            report(FormFault::DuplicateName, i);
        }

        if (c.parent.empty()) {
            if (!CanHold(std::nullopt, c.kind)) {
                report(FormFault::ParentCannotHold, i);
            }
        } else if (const auto parent = FindControl(controls, c.parent); !parent) {
            report(FormFault::MissingParent, i);
        } else if (*parent >= i) {
            report(FormFault::ParentAfterChild, i);
        } else if (!CanHold(controls[*parent].kind, c.kind)) {
            report(FormFault::ParentCannotHold, i);
        }

        for (std::size_t j = 0; j < i; ++j) {
            if (controls[j].parent == c.parent && controls[j].tabOrder == c.tabOrder) {
                report(FormFault::DuplicateTabOrder, i);
                break;
            }
        }

        if (c.bounds.width < 0 || c.bounds.height < 0) {
            report(FormFault::NegativeSize, i);
        }

        const bool isDefault = c.options.Has(ControlOption::Default);
        const bool isCancel = c.options.Has(ControlOption::Cancel);
        if ((isDefault || isCancel) && c.kind != ControlKind::PushButton) {
            report(FormFault::NotAPushButton, i);
        } else {
            if (isDefault && std::exchange(haveDefault, true)) {
                report(FormFault::SecondDefault, i);
            }
            if (isCancel && std::exchange(haveCancel, true)) {
                report(FormFault::SecondCancel, i);
            }
        }
        if (isCancel != (c.id == kCancelButtonId)) {
            report(FormFault::CancelIdMismatch, i);
        }

        std::vector<int> own;
        if (c.id != 0) {
            own.push_back(c.id);
        }
        if (c.kind == ControlKind::RadioGroup) {
            const int items = static_cast<int>(ListItems(c.items).size());
            if (c.columns < 1 || c.itemIndex < -1 || c.itemIndex >= items) {
                report(FormFault::BadRadioGroup, i);
            }
            for (int item = 0; c.id != 0 && item < items; ++item) {
                own.push_back(c.id + 1 + item);
            }
        }
        for (const int id : own) {
            if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
                report(FormFault::DuplicateId, i);
                break;
            }
        }
        ids.insert(ids.end(), own.begin(), own.end());
    }
    return problems;
}

} // namespace nerula
