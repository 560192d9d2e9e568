#pragma once
// The find window's two layouts. The table (forms/find_dialog_layout.h) is designed for
// replacing, with every panel shown; finding hides the replace text and the replace
// buttons and moves what lies below them up, and the window's client area ends at the
// lowest panel that is shown. The panel that holds the regular-expression options shows
// only while its check box does.

#include <span>
#include <string_view>

#include "forms/form_table.h"

namespace nerula {

enum class TDialogStyle { dsFind, dsReplace };

// The rectangles of the panels that the rule moves, in any one unit: at 96 dpi from the
// table, or each scaled to a window's DPI on its own, as the builder scales them.
struct FindDialogPanels {
    FormRect findText;    // FindTextPnl
    FormRect replaceText; // ReplaceTextPnl
    FormRect options;     // OptionsPnl
    FormRect optionsEx;   // OptionsExPnl
    FormRect direction;   // DirectionPnl
    FormRect find;        // FindPnl
    FormRect replace;     // ReplacePnl
    FormRect cancel;      // CanselPnl
};

// The panels as the table places them; fails with std::invalid_argument when one is missing.
FindDialogPanels DesignedFindDialogPanels(std::span<const ControlSpec> controls);
// Every rectangle scaled to a DPI (forms/form_layout.h, ScaleToDpi).
FindDialogPanels ScaleToDpi(const FindDialogPanels& panels, unsigned dpi) noexcept;

struct FindDialogLayout {
    std::u16string_view caption;
    bool replaceTextVisible = false; // ReplaceTextPnl
    bool replaceVisible = false;     // ReplacePnl, with the replace buttons
    bool optionsExVisible = false;   // OptionsExPnl
    // The new tops; the panels keep their left, width and height.
    int optionsTop = 0;
    int optionsExTop = 0;
    int directionTop = 0;
    int cancelTop = 0;
    int clientHeight = 0;

    friend bool operator==(const FindDialogLayout&, const FindDialogLayout&) = default;
};

// `usesRegexpVisible`: whether the regular-expression check box is shown (it is hidden
// when no engine can run regular expressions or the owner hides it).
FindDialogLayout LayoutFindDialog(const FindDialogPanels& panels, TDialogStyle style, bool usesRegexpVisible);

} // namespace nerula
