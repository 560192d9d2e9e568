#include "loaded_plugin.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "common/win/module_path.h"

namespace nerula::test {
namespace {

constexpr const wchar_t* kPluginSuffix = sizeof(void*) == 8 ? L".sph" : L".spi";

std::string Contents(HLOCAL handle, std::size_t size) {
    const void* data = LocalLock(handle);
    if (data == nullptr) {
        throw std::runtime_error("cannot lock a handed-out block");
    }
    std::string bytes(static_cast<const char*>(data), size);
    LocalUnlock(handle);
    return bytes;
}

} // namespace

std::wstring PluginPath(std::wstring_view name) {
    // The build puts the plug-ins into the folder "out" beside this program.
    std::wstring path = ModuleFileName();
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + L"out\\" + std::wstring(name) + kPluginSuffix;
}

LoadedPlugin::LoadedPlugin(std::wstring_view name) : module_(LoadLibraryW(PluginPath(name).c_str())) {
    if (!module_) {
        throw std::runtime_error("a test plug-in does not load");
    }
}

std::string LoadedPlugin::Info(int infoNumber) const {
    char buffer[256];
    std::memset(buffer, 'x', sizeof buffer);
    const int length = GetPluginInfo()(infoNumber, buffer, sizeof buffer);
    // Numbers without a text answer 0 and may leave the buffer as it was.
    if (length == 0) {
        return {};
    }
    if (length < 0 || length >= static_cast<int>(sizeof buffer) || buffer[length] != '\0') {
        throw std::runtime_error("GetPluginInfo's answer does not match its text");
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

susie::GetPluginInfoFunction LoadedPlugin::GetPluginInfo() const {
    return Export<susie::GetPluginInfoFunction>("GetPluginInfo");
}

susie::GetPictureFunction LoadedPlugin::GetPicture() const {
    return Export<susie::GetPictureFunction>("GetPicture");
}

susie::GetPictureInfoFunction LoadedPlugin::GetPictureInfo() const {
    return Export<susie::GetPictureInfoFunction>("GetPictureInfo");
}

LoadedPlugin::IsSupportedFunction LoadedPlugin::IsSupported() const {
    return Export<IsSupportedFunction>("IsSupported");
}

HandedOut::HandedOut(HLOCAL infoHandle, HLOCAL bitsHandle) {
    const LocalMemory infoMemory(infoHandle);
    const LocalMemory bitsMemory(bitsHandle);
    if (!infoMemory || !bitsMemory) {
        throw std::runtime_error("GetPicture succeeded without handing out both blocks");
    }
    infoSize = LocalSize(infoHandle);
    bitsSize = LocalSize(bitsHandle);
    info = Contents(infoHandle, infoSize);
    bits = Contents(bitsHandle, bitsSize);
}

BITMAPINFOHEADER HandedOut::Header() const {
    BITMAPINFOHEADER header{};
    std::memcpy(&header, info.data(), std::min(info.size(), sizeof header));
    return header;
}

} // namespace nerula::test
