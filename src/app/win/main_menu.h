#pragma once
// The main window's menu as the window's settings show in it: check marks, the radio
// groups of the view style and of the encoding, and the Edit menu's enabling.

#include <cstdint>
#include <optional>

#include <windows.h>

#include "settings/viewer_settings.h"

namespace nerula {

class MainMenu {
public:
    explicit MainMenu(HWND window) noexcept : window_(window) {}

    void SetChecked(UINT itemId, bool checked);
    bool Checked(UINT itemId) const;
    // As the item was last enabled or greyed.
    bool Enabled(UINT itemId) const;

    // Checks the view style's radio item; a style without one leaves both as they are.
    void CheckViewStyle(PictureViewStyle style);
    static PictureViewStyle ViewStyleOf(UINT itemId);

    // Checks the encoding item that stands for the code page, if one does.
    void CheckCodePage(std::uint32_t codePage);
    void CheckEncodingItem(UINT itemId);
    // The code page that a click on an encoding item chooses.
    static std::optional<std::uint32_t> CodePageOf(UINT itemId);

    // Whether this is the Edit menu, opening.
    bool IsEditMenu(HMENU menu) const;
    static void EnableEditItems(HMENU editMenu, bool copy, bool find);

private:
    HMENU Menu() const { return GetMenu(window_); }

    HWND window_;
};

} // namespace nerula
