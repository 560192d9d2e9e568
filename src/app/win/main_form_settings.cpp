// The main window's settings: the properties that hold them, and their way between the
// window and the per-user settings file (loaded while the window is created, saved when it
// is destroyed if the user changed any of them).

#include "app/win/main_form.h"
#include "common/win/wide.h"
#include "forms/resource_ids.h"
#include "image/win/plugin_scanner.h"
#include "settings/win/viewer_settings_store.h"

namespace nerula {

void TMainForm::SetCodePage(std::uint32_t codePage) {
    if (const std::optional<std::uint32_t> checked = codePage_.Write(codePage)) {
        menu_.CheckCodePage(*checked);
    }
}

void TMainForm::SetTabWidth(std::int32_t tabWidth) {
    if (tabWidth == TabWidth()) {
        return;
    }
    memo_.SetTabWidth(tabWidth);
    FModified = true;
}

void TMainForm::SetViewerFont(const TextFont& font) {
    if (&font == &memo_.Font()) {
        return;
    }
    memo_.Font().Assign(font);
    memo_.SendTabStops();
    FModified = true;
}

void TMainForm::InitPlugins(std::u16string_view folder) {
    BuildPluginTable(FPlugins, folder);
}

void TMainForm::SetPluginPath(const std::u16string& folder) {
    if (pluginsBuilt_ && folder == FPluginPath) {
        return;
    }
    FPluginPath = folder;
    pluginsBuilt_ = true;
    InitPlugins(folder);
    FModified = true;
}

void TMainForm::SetViewStyle(PictureViewStyle style) {
    if (style == FViewStyle) {
        return;
    }
    FViewStyle = style;
    menu_.CheckViewStyle(style);
}

void TMainForm::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    menu_.SetChecked(IDM_VIEW_WORD_WRAP, wrap);
    // Wrapped lines need no horizontal scroll bar.
    memo_.SetBothScrollBars(!wrap);
}

void TMainForm::SetAutoEncode(bool automatic) {
    autoEncode_ = automatic;
    menu_.SetChecked(IDM_VIEW_ENCODE_AUTO, automatic);
}

ViewerSettings TMainForm::Settings() const {
    ViewerSettings settings;
    settings.pluginPath = FPluginPath;
    settings.viewStyle = FViewStyle;
    settings.wordWrap = wordWrap_;
    settings.tabWidth = TabWidth();
    const TextFont& font = memo_.Font();
    settings.fontName = ToU16(font.Name());
    settings.fontSize = font.Size();
    settings.fontStyle = font.Style();
    settings.autoEncode = autoEncode_;
    settings.codePage = CodePage();
    return settings;
}

void TMainForm::LoadSettings() {
    ApplySettings(LoadViewerSettings(codePage_.Ansi()));
    FModified = false;
}

// Each setting goes through the property or menu item that owns it, in the file's order:
// the plug-in folder's first write builds the plug-in table.
void TMainForm::ApplySettings(const ViewerSettings& settings) {
    SetPluginPath(settings.pluginPath);
    SetViewStyle(settings.viewStyle);
    SetWordWrap(settings.wordWrap);
    SetTabWidth(settings.tabWidth);
    // Set on the control's own font object, not through the ViewerFont setter.
    TextFont& font = memo_.Font();
    font.SetName(ToWide(settings.fontName));
    font.SetSize(settings.fontSize);
    font.SetStyle(settings.fontStyle);
    SetAutoEncode(settings.autoEncode);
    SetCodePage(settings.codePage);
}

void TMainForm::SaveSettings() {
    SaveViewerSettings(Settings());
    FModified = false;
}

} // namespace nerula
