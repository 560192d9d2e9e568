#pragma once
// The main window: the program's one document window with its menu and two views, the
// picture's scroll box and the text's edit control, of which at most one is visible.

#include <cstdint>
#include <string>
#include <string_view>

#include <windows.h>

#include "app/win/application.h"
#include "common/win/unique_handle.h"
#include "common/win/window.h"
#include "common/memory_stream.h"
#include "common/win/text_font.h"
#include "image/plugin_table.h"
#include "image/win/scroll_box.h"
#include "image/win/image_control.h"
#include "text/code_pages.h"
#include "text/win/text_view.h"

namespace nerula {

class TMainForm final : public Window {
public:
    static constexpr int kClientWidth = 527;
    static constexpr int kClientHeight = 336;

    explicit TMainForm(TApplication& application);
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
    TScrollBox& ImageBox() noexcept { return imageBox_; }

    // The code page of the shown text. Writing it checks its encoding menu item; a value
    // without one becomes the ANSI code page. Writing never marks the settings changed.
    std::uint32_t CodePage() const noexcept { return codePage_.Value(); }
    void SetCodePage(std::uint32_t codePage);

    // Tab width in average characters; the edit control takes four times it in dialog
    // template units.
    std::int32_t TabWidth() const noexcept { return static_cast<std::int32_t>(memo_.TabStops() >> 2); }
    void SetTabWidth(std::int32_t tabWidth);
    // The edit control's own font object. Another object given to the setter has all its
    // attributes copied; the control's own object given back changes nothing.
    TextFont& ViewerFont() noexcept { return memo_.Font(); }
    void SetViewerFont(const TextFont& font);

    // The plug-in table, and the configured plug-in folder whose writing rebuilds it.
    const PluginTable& Plugins() const noexcept { return FPlugins; }
    PluginTable& Plugins() noexcept { return FPlugins; }
    void InitPlugins(std::u16string_view folder);
    const std::u16string& PluginPath() const noexcept { return FPluginPath; }
    void SetPluginPath(const std::u16string& folder);

    // 1: pictures fitted to the window, 2: at actual size. Writing checks the matching
    // menu item but neither applies the style nor marks the settings changed.
    std::int32_t ViewStyle() const noexcept { return FViewStyle; }
    void SetViewStyle(std::int32_t style);
    TImage& Image() noexcept { return image_; }

    // Whether a setting changed since the settings were loaded or saved.
    bool Modified() const noexcept { return FModified; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateComponents();
    void FormCreate(std::u16string_view commandLine);
    void AlignViews();
    void HandOff(const std::wstring& parameters);

    bool ShowImage(const std::wstring& fileName, MemoryStream& stream);
    void SizeForPicture(int width, int height);
    void ApplyViewStyle();
    void ApplyFitToWindow();
    void ApplyActualSize();
    void ViewStyleMnusClick(UINT itemId);
    void CopyPicture();

    void LoadSettings();
    void SaveSettings();
    void FormDestroy();
    bool MenuChecked(UINT itemId) const;
    void SetMenuChecked(UINT itemId, bool checked);

    void ShowText(const std::wstring& fileName, MemoryStream& stream, std::uint32_t codePage,
                  std::int32_t line, std::int32_t column);
    void SizeForText();
    void ScrollCaret(bool centre);

    void OnCommand(WORD id);
    void FileOpenMnuClick();
    void FileExitMnuClick();
    void EditMnuClick(HMENU editMenu);
    void EditCopyMnuClick();
    void ViewEncodeAutoMnuClick();
    void CodePageMnusClick(UINT itemId);
    void ViewWordWrapMnuClick();
    bool ToggleMenuCheck(UINT itemId);

    void MouseWheel(UINT message, WPARAM wParam);
    void DropFiles(HDROP drop);

    TApplication& app_;
    HACCEL accelerators_ = nullptr;
    TScrollBox imageBox_;
    TImage image_;
    TextView memo_;

    CodePageSetting codePage_;
    PluginTable FPlugins;
    std::u16string FPluginPath;
    bool pluginsBuilt_ = false;
    std::int32_t FViewStyle = 0;
    bool FModified = false;
    std::wstring FFileName;
};

} // namespace nerula
