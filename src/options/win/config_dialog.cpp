#include "options/win/config_dialog.h"

#include <algorithm>
#include <vector>

#include <commdlg.h>
#include <commctrl.h>

#include "common/text_format.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"
#include "forms/config_dialog_layout.h"
#include "forms/form_layout.h"
#include "forms/resource_ids.h"
#include "common/win/module_path.h"
#include "options/win/association_registry.h"

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

WPARAM CheckOf(AllCheckState state) {
    switch (state) {
    case AllCheckState::Checked:
        return BST_CHECKED;
    case AllCheckState::Greyed:
        return BST_INDETERMINATE;
    case AllCheckState::Unchecked:
        break;
    }
    return BST_UNCHECKED;
}

AllCheckState StateOf(LRESULT check) {
    return check == BST_CHECKED         ? AllCheckState::Checked
           : check == BST_INDETERMINATE ? AllCheckState::Greyed
                                        : AllCheckState::Unchecked;
}

bool ItemChecked(HWND list, int item) {
    const auto state = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

void SetItemChecked(HWND list, int item, bool checked) {
    LVITEMW change{};
    change.stateMask = LVIS_STATEIMAGEMASK;
    change.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageW(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&change));
}

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
      fontButtonFont_(L"Tahoma", -11), rows_(&FoldClassName) {}

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
        BuildAssociationList();
        UpdateAllChecks();
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
    ApplyAssociations();
    EnableApply(false);
}

void TConfigDialog::PluginPathEdtChange() {
    if (FUpdating > 0) {
        return;
    }
    const UpdatingScope updating(FUpdating);
    mainForm_.InitPlugins(WindowText(Form().Control(u"PluginPathEdt")));
    pluginsFromTypedFolder_ = true;
    BuildAssociationList();
    UpdateAllChecks();
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

void TConfigDialog::BuildAssociationList() {
    const HWND list = Form().Control(u"AssociationLst");
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    BuildAssociationRows(rows_, mainForm_.Plugins());
    // In the order of the captions, sorted here: the list view's own sorting searches its
    // items for every insertion, which takes seconds for a registry of thousands of types.
    std::vector<std::size_t> order(rows_.Rows().size());
    for (std::size_t index = 0; index < order.size(); ++index) {
        order[index] = index;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return lstrcmpW(ToWide(rows_.Rows()[a].caption).c_str(), ToWide(rows_.Rows()[b].caption).c_str()) < 0;
    });
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_SETITEMCOUNT, order.size(), 0);
    for (std::size_t position = 0; position < order.size(); ++position) {
        const std::size_t index = order[position];
        const AssociationRow& row = rows_.Rows()[index];
        std::wstring caption = ToWide(row.caption);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(position);
        item.pszText = caption.data();
        item.lParam = static_cast<LPARAM>(index);
        const auto at =
            static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        std::wstring extensions = ToWide(row.ExtensionText());
        std::wstring classification = ToWide(row.classification);
        LVITEMW sub{};
        sub.iSubItem = 1;
        sub.pszText = extensions.data();
        SendMessageW(list, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
        sub.iSubItem = 2;
        sub.pszText = classification.data();
        SendMessageW(list, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
        SetItemChecked(list, at, row.checked);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void TConfigDialog::UpdateAllChecks() {
    SendMessageW(Form().Control(u"AllImageChk"), BM_SETCHECK, CheckOf(AllCheckOf(rows_.Rows(), u"image")), 0);
    SendMessageW(Form().Control(u"AllTextChk"), BM_SETCHECK, CheckOf(AllCheckOf(rows_.Rows(), u"text")), 0);
}

void TConfigDialog::ApplyAssociations() {
    ApplyAssociationRows(rows_.Rows(), ToU16(ModuleFileName()));
}

void TConfigDialog::AssociationLstChange(const NMLISTVIEW& change) {
    if (FUpdating > 0) {
        return;
    }
    const UpdatingScope updating(FUpdating);
    if ((change.uChanged & LVIF_STATE) != 0 && change.iItem >= 0) {
        const auto index = static_cast<std::size_t>(change.lParam);
        if (index < rows_.Rows().size()) {
            AssociationRow& row = rows_.Rows()[index];
            const bool checked = ItemChecked(change.hdr.hwndFrom, change.iItem);
            // A change of selection or focus leaves the check box as it was recorded.
            if (checked != row.recorded) {
                row.recorded = checked;
                row.checked = checked;
                EnableApply(true);
            }
        }
    }
    UpdateAllChecks();
}

void TConfigDialog::AllCheckClick(std::u16string_view box, std::u16string_view classification) {
    if (FUpdating > 0) {
        return;
    }
    {
        const UpdatingScope updating(FUpdating);
        const HWND button = Form().Control(box);
        const AllCheckState state = ClickedAllCheck(StateOf(SendMessageW(button, BM_GETCHECK, 0, 0)));
        SendMessageW(button, BM_SETCHECK, CheckOf(state), 0);
        const bool checked = state == AllCheckState::Checked;
        const HWND list = Form().Control(u"AssociationLst");
        const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int item = 0; item < count; ++item) {
            LVITEMW read{};
            read.mask = LVIF_PARAM;
            read.iItem = item;
            SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read));
            const auto index = static_cast<std::size_t>(read.lParam);
            if (index < rows_.Rows().size() && rows_.Rows()[index].classification == classification) {
                rows_.Rows()[index].checked = checked;
                rows_.Rows()[index].recorded = checked;
                SetItemChecked(list, item, checked);
            }
        }
        UpdateAllChecks();
    }
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
    case IDC_ALL_IMAGE:
        if (code == BN_CLICKED) {
            AllCheckClick(u"AllImageChk", u"image");
        }
        return;
    case IDC_ALL_TEXT:
        if (code == BN_CLICKED) {
            AllCheckClick(u"AllTextChk", u"text");
        }
        return;
    default:
        return;
    }
}

LRESULT TConfigDialog::OnNotify(const NMHDR& header) {
    LRESULT result = 0;
    if (Reflect(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header), result)) {
        return result;
    }
    if (header.idFrom == IDC_ASSOCIATIONS && header.code == LVN_ITEMCHANGED) {
        AssociationLstChange(*reinterpret_cast<const NMLISTVIEW*>(&header));
    }
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
