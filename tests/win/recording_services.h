#pragma once
// The test side of the platform seam: records what the window would have started and
// shown, and answers message boxes without showing them.

#include <string>
#include <vector>

#include "common/win/platform_services.h"

namespace nerula::test {

struct StartedProcess {
    HWND owner;
    std::wstring program;
    std::wstring parameters;
};

struct ShownMessageBox {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

class RecordingServices final : public PlatformServices {
public:
    void StartProcess(HWND owner, const std::wstring& program, const std::wstring& parameters) override {
        processes.push_back({owner, program, parameters});
    }
    int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                       UINT type) override {
        boxes.push_back({owner, text, caption, type});
        return IDOK;
    }
    void Beep(UINT type) override { beeps.push_back(type); }
    RECT DesktopRect() override { return desktop; }

    std::vector<StartedProcess> processes;
    std::vector<ShownMessageBox> boxes;
    std::vector<UINT> beeps;
    RECT desktop{0, 0, 1920, 1080};
};

} // namespace nerula::test
