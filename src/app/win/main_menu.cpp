#include "app/win/main_menu.h"

#include <array>
#include <initializer_list>

#include "forms/resource_ids.h"
#include "text/code_pages.h"

namespace nerula {
namespace {

struct EncodingItem {
    UINT id;
    // The code page that a click on the item chooses.
    std::uint32_t tag;
    // The code page for which the item carries the check mark.
    std::uint32_t shows;
};

// "EUC-JP" chooses 20932 like "JIS", yet is the item checked for 51932.
constexpr std::array kEncodingItems{
    EncodingItem{IDM_VIEW_ENCODE_SHIFTJIS, code_page::kShiftJis, code_page::kShiftJis},
    EncodingItem{IDM_VIEW_ENCODE_UTF16, code_page::kUtf16, code_page::kUtf16},
    EncodingItem{IDM_VIEW_ENCODE_UTF16BE, code_page::kUtf16Be, code_page::kUtf16Be},
    EncodingItem{IDM_VIEW_ENCODE_JIS, code_page::kJis, code_page::kJis},
    EncodingItem{IDM_VIEW_ENCODE_ISO2022JP, code_page::kIso2022Jp, code_page::kIso2022Jp},
    EncodingItem{IDM_VIEW_ENCODE_EUCJP, code_page::kJis, code_page::kEucJp},
    EncodingItem{IDM_VIEW_ENCODE_UTF8, code_page::kUtf8, code_page::kUtf8},
};

} // namespace

void MainMenu::SetChecked(UINT itemId, bool checked) {
    CheckMenuItem(Menu(), itemId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MainMenu::Checked(UINT itemId) const {
    return (GetMenuState(Menu(), itemId, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool MainMenu::Enabled(UINT itemId) const {
    const UINT state = GetMenuState(Menu(), itemId, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_DISABLED | MF_GRAYED)) == 0;
}

void MainMenu::CheckViewStyle(PictureViewStyle style) {
    UINT item = 0;
    switch (style) {
    case PictureViewStyle::FitToWindow:
        item = IDM_VIEW_ADJUST_WINDOW;
        break;
    case PictureViewStyle::ActualSize:
        item = IDM_VIEW_FULL_SIZE;
        break;
    default:
        return;
    }
    CheckMenuRadioItem(GetSubMenu(Menu(), MENU_POS_VIEW), IDM_VIEW_ADJUST_WINDOW, IDM_VIEW_FULL_SIZE, item,
                       MF_BYCOMMAND);
}

PictureViewStyle MainMenu::ViewStyleOf(UINT itemId) {
    return itemId == IDM_VIEW_ADJUST_WINDOW ? PictureViewStyle::FitToWindow : PictureViewStyle::ActualSize;
}

void MainMenu::CheckCodePage(std::uint32_t codePage) {
    for (const EncodingItem& item : kEncodingItems) {
        if (item.shows == codePage) {
            CheckEncodingItem(item.id);
        }
    }
}

void MainMenu::CheckEncodingItem(UINT itemId) {
    const HMENU encoding = GetSubMenu(GetSubMenu(Menu(), MENU_POS_VIEW), MENU_POS_VIEW_ENCODE);
    CheckMenuRadioItem(encoding, IDM_VIEW_ENCODE_SHIFTJIS, IDM_VIEW_ENCODE_UTF8, itemId, MF_BYCOMMAND);
}

std::optional<std::uint32_t> MainMenu::CodePageOf(UINT itemId) {
    for (const EncodingItem& item : kEncodingItems) {
        if (item.id == itemId) {
            return item.tag;
        }
    }
    return std::nullopt;
}

bool MainMenu::IsEditMenu(HMENU menu) const {
    return menu == GetSubMenu(Menu(), MENU_POS_EDIT);
}

void MainMenu::EnableEditItems(HMENU editMenu, bool copy, bool find) {
    const auto state = [](bool enabled) { return MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED); };
    EnableMenuItem(editMenu, IDM_EDIT_COPY, state(copy));
    for (const UINT id : {IDM_EDIT_FIND, IDM_EDIT_FIND_PREV, IDM_EDIT_FIND_NEXT}) {
        EnableMenuItem(editMenu, id, state(find));
    }
}

} // namespace nerula
