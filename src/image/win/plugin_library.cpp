#include "image/win/plugin_library.h"

#include <array>
#include <cstring>

#include "image/win/susie_plugin_abi.h"

namespace nerula {

std::optional<PluginLibrary> PluginLibrary::Load(const std::wstring& path) {
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                    LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
        // Systems without the safe search flags: the altered search path also puts the
        // library's own folder first.
        module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    if (module == nullptr) {
        return std::nullopt;
    }
    return PluginLibrary(module);
}

std::optional<std::string> PluginInfoText(const PluginLibrary& library, int infoNumber) {
    const auto getPluginInfo = library.Find<susie::GetPluginInfoFunction>("GetPluginInfo");
    if (getPluginInfo == nullptr) {
        return std::nullopt;
    }
    std::array<char, 261> buffer{};
    getPluginInfo(infoNumber, buffer.data(), 260);
    buffer.back() = '\0';
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

} // namespace nerula
