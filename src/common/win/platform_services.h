#pragma once
// The seam between Nerula and what a test must observe or replace: starting another
// process of the program, message boxes and beeps, and the desktop's size.

#include <string>

#include <windows.h>

namespace nerula {

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // ShellExecuteW with the verb "open", no directory and SW_SHOWNORMAL; the result is
    // not examined, as a failed start is not reported to the user.
    virtual void StartProcess(HWND owner, const std::wstring& program, const std::wstring& parameters) = 0;
    virtual int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) = 0;
    virtual void Beep(UINT type) = 0;
    virtual RECT DesktopRect() = 0;
};

// The real thing, for the program itself.
PlatformServices& SystemPlatformServices();

} // namespace nerula
