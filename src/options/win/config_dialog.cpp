#include "options/win/config_dialog.h"

#include <commdlg.h>

#include "common/text_format.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"
#include "forms/config_dialog_layout.h"
#include "forms/form_layout.h"
#include "forms/resource_ids.h"

namespace nerula {
namespace {

constexpr std::u16string_view kPages = u"OptionPage";
// Between the folder edit and its "..." button, at 96 dpi.
constexpr int kFolderButtonMargin = 4;

// Raises a counter for as long as it lives: the dialog's own changes of its controls.
class UpdatingScope {
public:
    explicit UpdatingScope(std::int32_t& counter) noexcept : counter_(counter) { ++counter_; }
    ~UpdatingScope() { --counter_; }
    UpdatingScope(const UpdatingScope&) = delete;
    UpdatingScope& operator=(const UpdatingScope&) = delete;

private:
    std::int32_t& counter_;
};

std::uint8_t StyleOf(const LOGFONTW& font) {
    std::uint8_t style = 0;
    style |= font.lfWeight >= FW_BOLD ? TextFont::kBold : 0;
    style |= font.lfItalic ? TextFont::kItalic : 0;
    style |= font.lfUnderline ? TextFont::kUnderline : 0;
    style |= font.lfStrikeOut ? TextFont::kStrikeOut : 0;
    return style;
}

} // namespace

TConfigDialog::TConfigDialog(ViewerOptionsTarget& mainForm, PlatformServices& services)
    : Dialog(kConfigDialogControls, kConfigDialogSpec), mainForm_(mainForm), services_(services),
      fontButtonFont_(L"Tahoma", -11) {}

TConfigDialog::~TConfigDialog() = default;

void TConfigDialog::Create(HWND mainWindow) {
    CreateModeless(mainWindow);
}

void TConfigDialog::Execute() {
    FormShow();
    RunModal();
    if (pluginsFromTypedFolder_) {
        // Left without applying: the table goes back to the folder of the settings, so that
        // what the viewer decodes with is what the settings say.
        pluginsFromTypedFolder_ = false;
        mainForm_.InitPlugins(mainForm_.PluginPath());
    }
}

bool TConfigDialog::ApplyEnabled() const noexcept {
    const HWND apply = Handle() != nullptr ? Form().ControlById(IDC_APPLY_BUTTON) : nullptr;
    return apply != nullptr && IsWindowEnabled(apply);
}

void TConfigDialog::OnInitDialog() {
    BuiltForm& form = Form();
    tabWidthEdt_ =
        std::make_unique<TUpDownEdit>(form.Control(u"TabWidthEdt"), form.Control(u"TabWidthUD"), services_);
    tabWidthEdt_->SetFilters({TFilterChar::fcAllowDecimal, TFilterChar::fcRejectProcess});
    tabWidthEdt_->OnVerify = [this](std::u16string& text, std::int32_t& position,
                                    TNumericallyRelationship relation) {
        TabWidthEdtVerify(text, position, relation);
    };
    pluginPathEdt_ = std::make_unique<TRefDirectoryEdit>(form.Control(u"PluginPathEdt"),
                                                         form.Control(u"PluginPathBtn"), services_);
    pluginPathEdt_->SetTextTip(true);
    // The button's gap is in pixels: the designed 4 at the dialog's DPI.
    pluginPathEdt_->SetMargin(ScaleToDpi(kFolderButtonMargin, form.Dpi()));
    pluginPathEdt_->Dialog().SetMainWindow(GetWindow(Handle(), GW_OWNER));
    FormCreate();
}

void TConfigDialog::FormCreate() {
    FUpdating = 0;
    // Only now: later showings open on the page that was shown last.
    Form().SelectPage(kPages, 0);
}

void TConfigDialog::OnDpiChanged() {
    pluginPathEdt_->SetMargin(ScaleToDpi(kFolderButtonMargin, Form().Dpi()));
    fontButtonFont_.SetDpi(Form().Dpi());
    ShowFontOnButton();
}

void TConfigDialog::FormShow() {
    {
        const UpdatingScope updating(FUpdating);
        LoadOptions();
        // The association page is built here too once it has its rows.
    }
    EnableApply(false);
}

void TConfigDialog::LoadOptions() {
    SetWindowTextW(Form().Control(u"PluginPathEdt"), ToWide(mainForm_.PluginPath()).c_str());
    tabWidthEdt_->SetValue(mainForm_.TabWidth());
    fontButtonFont_.SetDpi(Form().Dpi());
    fontButtonFont_.Assign(mainForm_.ViewerFont());
    ShowFontOnButton();
}

void TConfigDialog::StoreOptions() {
    mainForm_.SetPluginPath(WindowText(Form().Control(u"PluginPathEdt")));
    pluginsFromTypedFolder_ = false;
    mainForm_.SetTabWidth(tabWidthEdt_->Value());
    mainForm_.SetViewerFont(fontButtonFont_);
}

void TConfigDialog::ShowFontOnButton() {
    const HWND button = Form().Control(u"FontBtn");
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(fontButtonFont_.Handle()), TRUE);
    SetWindowTextW(button, fontButtonFont_.Name().c_str());
}

void TConfigDialog::EnableApply(bool enabled) const {
    EnableWindow(Form().ControlById(IDC_APPLY_BUTTON), enabled ? TRUE : FALSE);
}

void TConfigDialog::OKButtonClick() {
    if (ApplyEnabled()) {
        // An error in applying keeps the dialog open, its changes still to be applied.
        ApplyButtonClick();
    }
    Close(IDOK);
}

void TConfigDialog::CancelButtonClick() {
    Close(IDCANCEL);
}

void TConfigDialog::ApplyButtonClick() {
    StoreOptions();
    EnableApply(false);
}

void TConfigDialog::PluginPathEdtChange() {
    if (FUpdating > 0) {
        return;
    }
    const UpdatingScope updating(FUpdating);
    mainForm_.InitPlugins(WindowText(Form().Control(u"PluginPathEdt")));
    pluginsFromTypedFolder_ = true;
    EnableApply(true);
}

void TConfigDialog::TabWidthEdtVerify(std::u16string& text, std::int32_t& position,
                                      TNumericallyRelationship relation) {
    if (relation != TNumericallyRelationship::nrAccord) {
        services_.Beep(0);
        text = ToDecimal(position);
        return;
    }
    EnableApply(true);
}

void TConfigDialog::FontBtnClick() {
    LOGFONTW chosen{};
    GetObjectW(fontButtonFont_.Handle(), sizeof chosen, &chosen);
    CHOOSEFONTW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = Handle();
    choice.lpLogFont = &chosen;
    choice.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&choice)) {
        return;
    }
    // The chooser measures the height at the screen's DPI; its size in points holds at any.
    fontButtonFont_.SetName(chosen.lfFaceName);
    fontButtonFont_.SetSize(choice.iPointSize / 10);
    fontButtonFont_.SetStyle(StyleOf(chosen));
    ShowFontOnButton();
    EnableApply(true);
}

bool TConfigDialog::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return (tabWidthEdt_ && tabWidthEdt_->HandleNotification(message, wParam, lParam, result)) ||
           (pluginPathEdt_ && pluginPathEdt_->HandleNotification(message, wParam, lParam, result));
}

void TConfigDialog::OnCommand(int id, int code, HWND control) {
    LRESULT ignored = 0;
    if (Reflect(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control), ignored)) {
        // The folder edit's button writes the edit, whose change comes here as well.
        return;
    }
    switch (id) {
    case IDOK:
        OKButtonClick();
        return;
    case IDCANCEL:
        CancelButtonClick();
        return;
    case IDC_APPLY_BUTTON:
        if (code == BN_CLICKED) {
            ApplyButtonClick();
        }
        return;
    case IDC_PLUGIN_PATH:
        if (code == EN_CHANGE) {
            PluginPathEdtChange();
        }
        return;
    case IDC_FONT_BUTTON:
        if (code == BN_CLICKED) {
            FontBtnClick();
        }
        return;
    default:
        return;
    }
}

LRESULT TConfigDialog::OnNotify(const NMHDR& header) {
    LRESULT result = 0;
    Reflect(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header), result);
    return result;
}

INT_PTR TConfigDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL || message == WM_HSCROLL) {
        LRESULT ignored = 0;
        if (Reflect(message, wParam, lParam, ignored)) {
            return TRUE;
        }
    }
    return Dialog::HandleMessage(message, wParam, lParam);
}

} // namespace nerula
