#include "common/win/platform_services.h"

#include <shellapi.h>

namespace nerula {
namespace {

class SystemServices final : public PlatformServices {
public:
    void StartProcess(HWND owner, const std::wstring& program, const std::wstring& parameters) override {
        ShellExecuteW(owner, L"open", program.c_str(), parameters.c_str(), L"", SW_SHOWNORMAL);
    }
    int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override {
        return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
    }
    void Beep(UINT type) override { MessageBeep(type); }
    RECT DesktopRect() override {
        RECT rect{};
        GetWindowRect(GetDesktopWindow(), &rect);
        return rect;
    }
};

} // namespace

PlatformServices& SystemPlatformServices() {
    static SystemServices services;
    return services;
}

} // namespace nerula
