#pragma once
// The system's Open dialog, its library loaded only when the dialog is first shown: most
// windows never show it, and loaded at start it would cost every window some megabytes
// (the dialog's library brings the common controls and the print spooler with it) and
// some milliseconds before the file is shown.

#include <windows.h>

#include <commdlg.h>
// Nerula has no use for the common find dialog; its macro would rename the find
// component's FindText wherever this header comes first.
#ifdef FindText
#undef FindText
#endif

namespace nerula {

// GetOpenFileNameW's contract: true when the user chose a file; false when the dialog was
// cancelled, failed, or its library could not be loaded.
bool ShowOpenFileDialog(OPENFILENAMEW& request);

} // namespace nerula
