// The program entry: hardens the process, prepares COM for the user-interface thread,
// creates the main window (which opens the first file and hands off the rest) and runs
// the message loop.

#include <windows.h>

#include "app/win/application.h"
#include "app/win/main_form.h"
#include "common/win/com.h"
#include "common/win/error_presenter.h"
#include "common/win/wide.h"

namespace {

// Libraries are never looked up in the current directory, which for a viewer started by
// a file association is the document's own folder.
void HardenLibrarySearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) {
        SetDllDirectoryW(L"");
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    HardenLibrarySearch();
    const nerula::ComInitialization com;
    nerula::TApplication application(nerula::SystemPlatformServices());
    try {
        nerula::TMainForm mainForm(application);
        mainForm.Create(nerula::ToU16(GetCommandLineW()));
        return application.Run(mainForm.Accelerators());
    } catch (...) {
        nerula::PresentCurrentException();
        return 1;
    }
}
