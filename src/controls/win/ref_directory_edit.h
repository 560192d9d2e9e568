#pragma once
// The folder edit: an EDIT and a push button made by the form builder, as one control.
// The button ("...") is a square of the edit's height at a margin to the edit's right,
// and is enabled and shown with it; it opens the folder browser (Dialog()), and the folder
// chosen there becomes the edit's text. The browser opens at the folder chosen through it
// last (Dialog().Directory), not at what was typed since.
//
// With TextTip on, hovering over an edit too narrow for its text shows the whole text as
// a tip.
//
// The button's click (BN_CLICKED) reaches the dialog, not this object: the dialog hands
// each WM_COMMAND to HandleNotification.

#include <memory>
#include <string>
#include <string_view>

#include <windows.h>
#include <commctrl.h>

#include "common/win/platform_services.h"
#include "common/win/subclass.h"
#include "controls/win/select_directory.h"

namespace nerula {

class TRefDirectoryEdit {
public:
    // Gives the button its caption and place. The browser belongs to the edit's dialog
    // and reports to `services`, which must outlive this object.
    TRefDirectoryEdit(HWND edit, HWND button, PlatformServices& services = SystemPlatformServices());
    ~TRefDirectoryEdit();
    TRefDirectoryEdit(const TRefDirectoryEdit&) = delete;
    TRefDirectoryEdit& operator=(const TRefDirectoryEdit&) = delete;

    // The windows while they exist; nullptr once destroyed.
    HWND Edit() const noexcept;
    HWND Button() const noexcept;

    std::u16string Text() const;
    void SetText(std::u16string_view text);

    // The space between the edit and the button, in pixels; 4 at first.
    int Margin() const noexcept { return margin_; }
    void SetMargin(int margin) noexcept;

    bool TextTip() const noexcept { return tip_ != nullptr; }
    void SetTextTip(bool on);
    // The tip's window while TextTip is on.
    HWND TipWindow() const noexcept;

    TSelectDirectory& Dialog() noexcept { return dialog_; }
    const TSelectDirectory& Dialog() const noexcept { return dialog_; }

    // What a click on the button does: the browser, and the chosen folder into the edit,
    // an ordinary change of its text (EN_CHANGE to the dialog).
    void ButtonClick();

    // For each WM_COMMAND that the dialog receives: true when it was the button's click
    // and was handled here, with the result to give back.
    bool HandleNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    class Tip;

    LRESULT EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PlaceButton() const noexcept;
    void KeepBesideEdit(WINDOWPOS& position) const noexcept;
    void FollowVisibility() const noexcept;
    void FillTip(NMTTDISPINFOW& request);

    HWND edit_;
    HWND button_;
    int margin_ = 4;
    TSelectDirectory dialog_;
    std::wstring tipText_; // what the tip shows while it is asked
    std::unique_ptr<Tip> tip_;
    // Last, so that they go first: no message reaches a half-destroyed object.
    std::unique_ptr<WindowSubclass> buttonSubclass_;
    std::unique_ptr<WindowSubclass> editSubclass_;
};

} // namespace nerula
