#pragma once
// A test plug-in of this build, loaded from the folder beside the test program, and the
// memory its GetPicture hands out.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/win/unique_handle.h"
#include "image/win/susie_plugin_abi.h"

namespace nerula::test {

// The full path of the named plug-in file (NAME.sph, or NAME.spi in a 32-bit build) in
// this build's plug-in folder.
std::wstring PluginPath(std::wstring_view name);

class LoadedPlugin {
public:
    // Loads NAME.sph (or NAME.spi in a 32-bit build); throws when it does not load.
    explicit LoadedPlugin(std::wstring_view name);

    HMODULE Module() const noexcept { return module_.Get(); }
    // The text that GetPluginInfo answers for the number, read through a roomy buffer;
    // empty for numbers without a text.
    std::string Info(int infoNumber) const;

    susie::GetPluginInfoFunction GetPluginInfo() const;
    susie::GetPictureFunction GetPicture() const;
    susie::GetPictureInfoFunction GetPictureInfo() const;
    using IsSupportedFunction = int(WINAPI*)(LPCSTR fileName, void* dw);
    IsSupportedFunction IsSupported() const;

private:
    // The exported function of that name, or null.
    template <typename Function>
    Function Export(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), name)));
    }

    ModuleHandle module_;
};

// The contents and sizes of the two handles that a successful GetPicture handed out;
// frees them.
struct HandedOut {
    HandedOut(HLOCAL infoHandle, HLOCAL bitsHandle);

    std::size_t infoSize;
    std::size_t bitsSize;
    std::string info;
    std::string bits;

    // The BITMAPINFOHEADER at the start of the info block; valid only when it is there.
    BITMAPINFOHEADER Header() const;
};

} // namespace nerula::test
