#pragma once
// One Susie plug-in library, loaded for one use and freed again when this object goes.

#include <optional>
#include <string>

#include <windows.h>

#include "common/win/unique_handle.h"

namespace nerula {

class PluginLibrary {
public:
    // Loads the library at an absolute path, its own folder searched first for what it
    // depends on. Nothing when it does not load.
    static std::optional<PluginLibrary> Load(const std::wstring& path);

    // The entry point of that name, or null.
    template <typename Function>
    Function Find(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), name)));
    }

private:
    explicit PluginLibrary(HMODULE module) : module_(module) {}

    ModuleHandle module_;
};

// GetPluginInfo's text for an info number: read up to the first NUL of a 261-byte buffer
// (the plug-in is told 260), in the ANSI code page. Nothing when the library has no
// GetPluginInfo.
std::optional<std::string> PluginInfoText(const PluginLibrary& library, int infoNumber);

} // namespace nerula
