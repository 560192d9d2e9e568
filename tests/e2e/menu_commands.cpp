#include "menu_commands.h"

#include <optional>
#include <stdexcept>

#include "e2e_options.h"

namespace nerula::e2e {
namespace {

constexpr WORD kMainMenu = 100;

std::optional<UINT> FindInMenu(HMENU menu, std::wstring_view caption) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = 256;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) {
            continue;
        }
        if (item.hSubMenu != nullptr) {
            if (const auto id = FindInMenu(item.hSubMenu, caption)) {
                return id;
            }
            continue;
        }
        std::wstring_view itemCaption(text, item.cch);
        itemCaption = itemCaption.substr(0, itemCaption.find(L'\t'));
        if ((item.fType & MFT_SEPARATOR) == 0 && itemCaption == caption) {
            return item.wID;
        }
    }
    return std::nullopt;
}

} // namespace

UINT MenuCommandId(const std::wstring& program, std::wstring_view caption) {
    const HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        throw std::runtime_error("cannot load the program file's resources");
    }
    const HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(kMainMenu));
    std::optional<UINT> id;
    if (menu != nullptr) {
        id = FindInMenu(menu, caption);
        DestroyMenu(menu);
    }
    FreeLibrary(module);
    if (menu == nullptr) {
        throw std::runtime_error("the program file has no main menu resource");
    }
    if (!id) {
        throw std::runtime_error("the main menu has no item " + Utf8(caption));
    }
    return *id;
}

void PostMenuCommand(HWND window, UINT id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

} // namespace nerula::e2e
