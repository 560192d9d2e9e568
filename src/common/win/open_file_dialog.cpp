#include "common/win/open_file_dialog.h"

#include "common/win/unique_handle.h"

namespace nerula {

bool ShowOpenFileDialog(OPENFILENAMEW& request) {
    using GetOpenFileNameFn = BOOL(WINAPI*)(LPOPENFILENAMEW);
    // Loaded once and kept for the life of the process, from the system folder only.
    static const ModuleHandle library(LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!library) {
        return false;
    }
    const auto getOpenFileName = reinterpret_cast<GetOpenFileNameFn>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "GetOpenFileNameW")));
    return getOpenFileName != nullptr && getOpenFileName(&request) != FALSE;
}

} // namespace nerula
