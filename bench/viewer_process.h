#pragma once
// A viewer program (Nerula or the baseline) started for one file and watched from
// outside, as a user would see it: its window, its edit control's text, its memory.

#include <chrono>
#include <cstddef>
#include <string>

#include <windows.h>

#include "common/win/unique_handle.h"

namespace nerula::bench {

struct Viewer {
    std::wstring program;
    // The class of its main window.
    std::wstring windowClass;
};

class ViewerProcess {
public:
    // Starts `"program" arguments`; throws std::runtime_error when it cannot.
    ViewerProcess(const Viewer& viewer, const std::wstring& arguments);
    // Closes the program: WM_CLOSE first, then TerminateProcess if it will not go.
    ~ViewerProcess();
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    // Waits until the text is shown: the main window, visible, has its caption for a
    // file (" ( " in it, set by Nerula before the text) and its edit control holds
    // `length` units. False when the program ended or the time ran out first.
    bool WaitUntilShown(std::size_t length, std::chrono::milliseconds timeout);

    // The peak working set. (Under Wine the peak pagefile usage is the current private
    // memory, not its peak, so it cannot stand for the peak.)
    std::size_t PeakWorkingSet() const;

private:
    HWND ShownForm() const;

    Viewer viewer_;
    KernelHandle process_;
    DWORD id_ = 0;
    HWND form_ = nullptr;
};

} // namespace nerula::bench
