#pragma once
// The main window: the program's one document window with its menu and two views, the
// picture's scroll box and the text's edit control, of which at most one is visible.

#include <cstdint>
#include <string>
#include <string_view>

#include <windows.h>

#include "app/application.h"
#include "common/win/unique_handle.h"
#include "common/win/window.h"
#include "image/scroll_box.h"

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
    void OpenFile(const std::wstring& fileName, std::uint32_t codePage, std::int32_t line, std::int32_t column);

    const std::wstring& FileName() const noexcept { return FFileName; }
    HACCEL Accelerators() const noexcept { return accelerators_; }
    HWND Memo() const noexcept { return memo_; }
    TScrollBox& ImageBox() noexcept { return imageBox_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateComponents();
    void FormCreate(std::u16string_view commandLine);
    void AlignViews();
    void HandOff(const std::wstring& parameters);

    void OnCommand(WORD id);
    void FileOpenMnuClick();
    void FileExitMnuClick();
    void EditMnuClick(HMENU editMenu);
    void EditCopyMnuClick();

    void MouseWheel(UINT message, WPARAM wParam);
    void DropFiles(HDROP drop);

    TApplication& app_;
    HACCEL accelerators_ = nullptr;
    GdiObject font_;
    TScrollBox imageBox_;
    HWND memo_ = nullptr;

    std::wstring FFileName;
};

} // namespace nerula
