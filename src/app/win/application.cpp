#include "app/win/application.h"

#include "app/app_title.h"
#include "common/win/dialog.h"
#include "common/win/module_path.h"
#include "common/win/wide.h"

namespace nerula {
namespace {

std::u16string LowerCase(std::u16string_view text) {
    std::wstring lower = ToWide(text);
    if (!lower.empty()) {
        CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
    }
    return ToU16(lower);
}

} // namespace

TApplication::TApplication(PlatformServices& services)
    : services_(services), title_(ProgramTitle(ToU16(ModuleFileName()), &LowerCase)) {
    SetErrorPresenter(this);
}

TApplication::~TApplication() {
    SetErrorPresenter(nullptr);
}

void TApplication::MainWindowDestroyed() noexcept {
    mainWindow_ = nullptr;
    if (running_) {
        PostQuitMessage(0);
    }
}

void TApplication::PresentError(std::u16string_view message) noexcept {
    try {
        services_.ShowMessageBox(mainWindow_, ToWide(ErrorBoxText(message)), ToWide(title_),
                                 MB_ICONERROR | MB_OK);
    } catch (...) {
        MessageBeep(MB_ICONERROR);
    }
}

int TApplication::Run(HACCEL accelerators) {
    if (mainWindow_ == nullptr) {
        return 0;
    }
    running_ = true;
    ShowWindow(mainWindow_, SW_SHOWNORMAL);
    UpdateWindow(mainWindow_);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (const HWND dialog = ActiveModelessDialog(); dialog != nullptr && IsDialogMessageW(dialog, &msg)) {
            continue;
        }
        // Menu shortcuts belong to the main window and the controls on it only.
        if (mainWindow_ != nullptr && (msg.hwnd == mainWindow_ || IsChild(mainWindow_, msg.hwnd)) &&
            TranslateAcceleratorW(mainWindow_, accelerators, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    running_ = false;
    return static_cast<int>(msg.wParam);
}

} // namespace nerula
