#pragma once
// The application object: its title (the caption of every error box), the one error
// presenter, and the message loop.

#include <string>
#include <string_view>

#include <windows.h>

#include "common/win/error_presenter.h"
#include "common/win/platform_services.h"

namespace nerula {

class TApplication final : public ErrorPresenter {
public:
    explicit TApplication(PlatformServices& services);
    ~TApplication() override;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    const std::u16string& Title() const noexcept { return title_; }
    void SetTitle(std::u16string title) { title_ = std::move(title); }

    PlatformServices& Services() noexcept { return services_; }

    // The window that error boxes belong to, and whose destruction ends Run.
    void SetMainWindow(HWND window) noexcept { mainWindow_ = window; }
    HWND MainWindow() const noexcept { return mainWindow_; }
    void MainWindowDestroyed() noexcept;

    // Error icon, one OK button, the application title as caption.
    void PresentError(std::u16string_view message) noexcept override;

    // Shows the main window and runs the message loop until the main window is gone. The
    // active modeless dialog gets its keys (Tab, Enter, Escape, access keys) first.
    int Run(HACCEL accelerators);

private:
    PlatformServices& services_;
    std::u16string title_;
    HWND mainWindow_ = nullptr;
    bool running_ = false;
};

} // namespace nerula
