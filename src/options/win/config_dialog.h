#pragma once
// The Options dialog: the plug-in folder, the tab width and the text view's font on its
// first page, the file associations on its second. It is made once, hidden, and shown
// modally as often as the user asks; every showing starts from the main window's values,
// and nothing reaches the main window before Apply or OK, except that each change of the
// plug-in folder rebuilds the plug-in table at once, so that the association page lists
// what that folder offers.
//
// The Apply button is the dialog's record of changes not yet applied: greyed when the
// dialog is shown and after Apply, usable after any change the user makes.

#include <cstdint>
#include <memory>
#include <string>

#include <windows.h>

#include "common/win/dialog.h"
#include "common/win/platform_services.h"
#include "common/win/text_font.h"
#include "controls/numeric_relation.h"
#include "controls/win/ref_directory_edit.h"
#include "controls/win/up_down_edit.h"
#include "options/association_rows.h"
#include "options/win/viewer_options_target.h"

namespace nerula {

class TConfigDialog final : public Dialog {
public:
    TConfigDialog(ViewerOptionsTarget& mainForm, PlatformServices& services);
    ~TConfigDialog() override;

    // Makes the dialog, hidden, owned by the main window.
    void Create(HWND mainWindow);
    // Shows it modally, loaded with the main window's values; the result carries no meaning.
    void Execute();

    // For tests and the association page: the state the dialog keeps.
    std::int32_t Updating() const noexcept { return FUpdating; }
    bool ApplyEnabled() const noexcept;
    const TextFont& FontButtonFont() const noexcept { return fontButtonFont_; }
    TUpDownEdit& TabWidthEdt() noexcept { return *tabWidthEdt_; }
    TRefDirectoryEdit& PluginPathEdt() noexcept { return *pluginPathEdt_; }
    const std::vector<AssociationRow>& AssociationRowsShown() const noexcept { return rows_.Rows(); }

protected:
    void OnInitDialog() override;
    void OnDpiChanged() override;
    void OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(const NMHDR& header) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormShow();
    void LoadOptions();
    void StoreOptions();
    void OKButtonClick();
    void CancelButtonClick();
    void ApplyButtonClick();
    void PluginPathEdtChange();
    void TabWidthEdtVerify(std::u16string& text, std::int32_t& position, TNumericallyRelationship relation);
    void FontBtnClick();
    void BuildAssociationList();
    void UpdateAllChecks();
    void ApplyAssociations();
    void AssociationLstChange(const NMLISTVIEW& change);
    void AllCheckClick(std::u16string_view box, std::u16string_view classification);

    void EnableApply(bool enabled) const;
    // The font button shows the face name in the font itself.
    void ShowFontOnButton();
    // Lets the controls see the notifications that their windows send the dialog.
    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    ViewerOptionsTarget& mainForm_;
    PlatformServices& services_;
    std::int32_t FUpdating = 0;
    TextFont fontButtonFont_;
    std::unique_ptr<TUpDownEdit> tabWidthEdt_;
    std::unique_ptr<TRefDirectoryEdit> pluginPathEdt_;
    // Whether the plug-in table was rebuilt from the typed folder since the settings' folder
    // was last applied: leaving without applying builds it from the settings' folder again.
    bool pluginsFromTypedFolder_ = false;
    // The association page's rows; the list view shows them, each item's lParam its row.
    AssociationRows rows_;
};

} // namespace nerula
