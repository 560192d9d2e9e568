#pragma once
// The main window: the program's one document window. It keeps the frame and its menu,
// routes the menu's commands, decides which of its two views shows the document (the
// picture view or the text view `Memo`), sets the caption and carries the settings
// between the views and the settings file. What a view does with a document is the
// view's own.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <windows.h>

#include "app/win/application.h"
#include "app/win/main_menu.h"
#include "common/memory_stream.h"
#include "common/win/text_font.h"
#include "common/win/window.h"
#include "image/plugin_table.h"
#include "image/win/picture_view.h"
#include "options/win/config_dialog.h"
#include "options/win/viewer_options_target.h"
#include "search/win/text_search.h"
#include "settings/viewer_settings.h"
#include "text/code_pages.h"
#include "text/win/text_view.h"

namespace nerula {

class TMainForm final : public Window, public ViewerOptionsTarget {
public:
    // `engines`: which engines the search may use for regular expressions (tests choose).
    explicit TMainForm(TApplication& application, RegexpEngines engines = RegexpEngines::ObjectOrBuiltin);
    ~TMainForm() override;

    // Creates the window with its components, then runs FormCreate over the command line
    // (element 0 of the split is the program's own path). An error in FormCreate is
    // shown and ends FormCreate; the window exists in any case.
    void Create(std::u16string_view commandLine);

    // Opens a document in this window: code page 0 prescribes none; line and column
    // count from 1. The file is read from disk on every call.
    void OpenFile(const std::wstring& fileName, std::uint32_t codePage, std::int32_t line,
                  std::int32_t column);

    const std::wstring& FileName() const noexcept { return FFileName; }
    HACCEL Accelerators() const noexcept { return accelerators_; }
    HWND Memo() const noexcept { return memo_.Handle(); }
    TextView& MemoView() noexcept { return memo_; }
    TScrollBox& ImageBox() noexcept { return pictureView_.ImageBox(); }
    TImage& Image() noexcept { return pictureView_.Image(); }
    TREFindDialog& FindDialog() noexcept { return search_.FindDialog(); }
    TVBRegexp& Regexp() noexcept { return search_.Regexp(); }
    const TMatches* FMatches() const noexcept { return search_.Matches(); }
    // The Options dialog, made hidden with the window; nullptr if it could not be made.
    TConfigDialog* ConfigDialog() noexcept { return configDialog_.get(); }

    // The code page of the shown text. Writing it checks its encoding menu item; a value
    // without one becomes the ANSI code page. Writing never marks the settings changed.
    std::uint32_t CodePage() const noexcept { return codePage_.Value(); }
    void SetCodePage(std::uint32_t codePage);

    // Tab width in average characters.
    std::int32_t TabWidth() const noexcept override { return memo_.TabWidth(); }
    void SetTabWidth(std::int32_t tabWidth) override;
    // The edit control's own font object. Another object given to the setter has all its
    // attributes copied; the control's own object given back changes nothing.
    TextFont& ViewerFont() noexcept override { return memo_.Font(); }
    void SetViewerFont(const TextFont& font) override;

    // The plug-in table, and the configured plug-in folder whose writing rebuilds it.
    const PluginTable& Plugins() const noexcept override { return FPlugins; }
    PluginTable& Plugins() noexcept { return FPlugins; }
    void InitPlugins(std::u16string_view folder) override;
    const std::u16string& PluginPath() const noexcept override { return FPluginPath; }
    void SetPluginPath(const std::u16string& folder) override;

    // Writing checks the matching menu item but neither applies the style nor marks the
    // settings changed.
    PictureViewStyle ViewStyle() const noexcept { return FViewStyle; }
    void SetViewStyle(PictureViewStyle style);

    // The nine settings as they stand now.
    ViewerSettings Settings() const;
    // Whether a setting changed since the settings were loaded or saved.
    bool Modified() const noexcept { return FModified; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateComponents();
    void FormCreate(std::u16string_view commandLine);
    void FormDestroy();
    void AlignViews();
    void HandOff(const std::wstring& parameters);

    bool ShowImage(const std::wstring& fileName, MemoryStream& stream);
    void SizeForPicture(int width, int height);
    void ShowText(const std::wstring& fileName, MemoryStream& stream, std::uint32_t codePage,
                  std::int32_t line, std::int32_t column);
    void SizeForText();
    void ScrollCaret(bool centre);

    // The check items whose check mark is the setting: field and mark change together.
    void SetWordWrap(bool wrap);
    void SetAutoEncode(bool automatic);

    void LoadSettings();
    void ApplySettings(const ViewerSettings& settings);
    void SaveSettings();

    void OnCommand(WORD id);
    void FileOpenMnuClick();
    void FileExitMnuClick();
    void EditMnuClick(HMENU editMenu);
    void EditCopyMnuClick();
    void ViewStyleMnusClick(UINT itemId);
    void ViewEncodeAutoMnuClick();
    void CodePageMnusClick(UINT itemId);
    void ViewWordWrapMnuClick();
    void OptionConfigMnuClick();
    void EditFindMnuClick();
    void EditFindPrevMnuClick();
    void EditFindNextMnuClick();
    void FindDialogFind();
    void FindAndSelect();
    void MemoChange();

    void MouseWheel(UINT message, WPARAM wParam);
    void DpiChanged(unsigned dpi, const RECT& suggested);
    void DropFiles(HDROP drop);

    TApplication& app_;
    HACCEL accelerators_ = nullptr;
    MainMenu menu_;
    PictureView pictureView_;
    TextView memo_;
    TextSearch search_;
    std::unique_ptr<TConfigDialog> configDialog_;

    CodePageSetting codePage_;
    PluginTable FPlugins;
    std::u16string FPluginPath;
    bool pluginsBuilt_ = false;
    // Zero, no style at all, until the settings are loaded.
    PictureViewStyle FViewStyle{};
    bool wordWrap_ = false;
    bool autoEncode_ = true;
    bool FModified = false;
    std::wstring FFileName;
};

} // namespace nerula
