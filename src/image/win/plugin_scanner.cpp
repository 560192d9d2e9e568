#include "image/win/plugin_scanner.h"

#include <vector>

#include <windows.h>

#include "common/exception.h"
#include "common/text_format.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "image/win/plugin_library.h"
#include "image/win/susie_plugin_abi.h"

namespace nerula {
namespace {

std::u16string EnvironmentPath() {
    const DWORD needed = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    if (needed == 0) {
        return {};
    }
    std::wstring value(needed, L'\0');
    value.resize(GetEnvironmentVariableW(L"PATH", value.data(), needed));
    return ToU16(value);
}

// The file names in a folder that match the pattern, hidden entries and folders left out.
std::vector<std::wstring> MatchingFiles(const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    const FindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) {
        return names;
    }
    do {
        if ((data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY)) == 0) {
            names.emplace_back(data.cFileName);
        }
    } while (FindNextFileW(find.Get(), &data));
    return names;
}

std::u16string AnsiToU16(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
        CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
    return ToU16(wide);
}

void AddLibrary(PluginTable& table, const std::u16string& path) {
    const std::optional<PluginLibrary> library = PluginLibrary::Load(ToWide(path));
    if (!library) {
        return;
    }
    const std::optional<std::string> version = PluginInfoText(*library, susie::kApiVersion);
    if (!version || *version != susie::kImportApiVersion) {
        return;
    }
    table.AddPlugin(AnsiToU16(PluginInfoText(*library, susie::kFilter).value_or("")), path);
}

} // namespace

std::u16string SusiePluginFolder() {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Senbari\\Susie\\Plug-in", 0, KEY_READ, &opened) !=
        ERROR_SUCCESS) {
        return {};
    }
    const RegistryKey key(opened);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), L"Path", nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return {};
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        throw Exception(FormatText(u"'%s' のデータ型が不正です", {u"Path"}));
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), L"Path", nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return ToU16(value);
}

void BuildPluginTable(PluginTable& table, std::u16string_view configuredFolder) {
    table.Reset();
    const std::u16string susie = SusiePluginFolder();
    for (const std::u16string& folder : PluginSearchFolders(configuredFolder, susie, EnvironmentPath())) {
        const std::vector<std::wstring> names =
            MatchingFiles(ToWide(CombinePath(folder, ToU16(susie::kLibraryPattern))));
        if (names.empty()) {
            continue;
        }
        for (const std::wstring& name : names) {
            AddLibrary(table, CombinePath(folder, ToU16(name)));
        }
        return;
    }
}

} // namespace nerula
