#include "search/find_layout.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "forms/form_layout.h"

namespace nerula {
namespace {

FormRect Designed(std::span<const ControlSpec> controls, std::u16string_view name) {
    const auto index = FindControl(controls, name);
    if (!index) {
        throw std::invalid_argument("the find window's table lacks one of its panels: " +
                                    std::string(name.begin(), name.end()));
    }
    return controls[*index].bounds;
}

int Bottom(const FormRect& rect) noexcept {
    return rect.top + rect.height;
}

} // namespace

FindDialogPanels DesignedFindDialogPanels(std::span<const ControlSpec> controls) {
    return {
        .findText = Designed(controls, u"FindTextPnl"),
        .replaceText = Designed(controls, u"ReplaceTextPnl"),
        .options = Designed(controls, u"OptionsPnl"),
        .optionsEx = Designed(controls, u"OptionsExPnl"),
        .direction = Designed(controls, u"DirectionPnl"),
        .find = Designed(controls, u"FindPnl"),
        .replace = Designed(controls, u"ReplacePnl"),
        .cancel = Designed(controls, u"CanselPnl"),
    };
}

FindDialogPanels ScaleToDpi(const FindDialogPanels& panels, unsigned dpi) noexcept {
    return {
        .findText = ScaleToDpi(panels.findText, dpi),
        .replaceText = ScaleToDpi(panels.replaceText, dpi),
        .options = ScaleToDpi(panels.options, dpi),
        .optionsEx = ScaleToDpi(panels.optionsEx, dpi),
        .direction = ScaleToDpi(panels.direction, dpi),
        .find = ScaleToDpi(panels.find, dpi),
        .replace = ScaleToDpi(panels.replace, dpi),
        .cancel = ScaleToDpi(panels.cancel, dpi),
    };
}

FindDialogLayout LayoutFindDialog(const FindDialogPanels& panels, TDialogStyle style,
                                  bool usesRegexpVisible) {
    const bool replacing = style == TDialogStyle::dsReplace;
    FindDialogLayout layout;
    layout.caption = replacing ? u"置換" : u"検索";
    layout.replaceTextVisible = replacing;
    layout.replaceVisible = replacing;
    layout.optionsExVisible = usesRegexpVisible;

    FormRect options = panels.options;
    options.top = Bottom(replacing ? panels.replaceText : panels.findText);
    FormRect optionsEx = panels.optionsEx;
    optionsEx.top = Bottom(options);
    FormRect cancel = panels.cancel;
    cancel.top = Bottom(replacing ? panels.replace : panels.find);

    layout.optionsTop = options.top;
    layout.optionsExTop = optionsEx.top;
    layout.directionTop = options.top;
    layout.cancelTop = cancel.top;
    layout.clientHeight = std::max(Bottom(cancel), Bottom(usesRegexpVisible ? optionsEx : options));
    return layout;
}

} // namespace nerula
