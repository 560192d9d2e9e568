#include "viewer_process.h"

#include <stdexcept>

#include <psapi.h>

#include "bench_files.h"

namespace nerula::bench {
namespace {

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

struct FormSearch {
    DWORD processId;
    const std::wstring* className;
    HWND found = nullptr;
};

BOOL CALLBACK FindForm(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<FormSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search.processId && ClassNameOf(window) == *search.className) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindEdit(HWND window, LPARAM parameter) {
    // With Common Controls 6 the class name may carry a version in front of "Edit".
    const std::wstring name = ClassNameOf(window);
    if (name.size() >= 4 &&
        CompareStringOrdinal(name.c_str() + name.size() - 4, 4, L"Edit", 4, TRUE) == CSTR_EQUAL) {
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring CaptionOf(HWND window) {
    // Another process's caption is kept by the system: read without waiting on it.
    wchar_t caption[512] = {};
    const int length = GetWindowTextW(window, caption, 512);
    return std::wstring(caption, length > 0 ? static_cast<std::size_t>(length) : 0);
}

} // namespace

ViewerProcess::ViewerProcess(const Viewer& viewer, const std::wstring& arguments) : viewer_(viewer) {
    std::wstring commandLine = L"\"" + viewer.program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(viewer.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        throw std::runtime_error("cannot start " + Utf8(viewer.program));
    }
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    id_ = info.dwProcessId;
}

ViewerProcess::~ViewerProcess() {
    if (WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0) {
        return;
    }
    const HWND form = form_ != nullptr ? form_ : ShownForm();
    if (form != nullptr) {
        PostMessageW(form, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process_.Get(), 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 10000);
    }
}

HWND ViewerProcess::ShownForm() const {
    FormSearch search{id_, &viewer_.windowClass};
    EnumWindows(&FindForm, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ViewerProcess::WaitUntilShown(std::size_t length, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0) {
            return false;
        }
        const HWND form = ShownForm();
        if (form != nullptr && CaptionOf(form).find(L" ( ") != std::wstring::npos) {
            form_ = form;
            HWND edit = nullptr;
            EnumChildWindows(form, &FindEdit, reinterpret_cast<LPARAM>(&edit));
            // The answer comes once the program takes messages again, after the text
            // has gone in: no polling while it works.
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            DWORD_PTR units = 0;
            if (edit != nullptr && left.count() > 0 &&
                SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL,
                                    static_cast<UINT>(left.count()), &units) != 0 &&
                units == length && IsWindowVisible(form)) {
                return true;
            }
        }
        Sleep(5);
    }
    return false;
}

std::size_t ViewerProcess::PeakWorkingSet() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process_.Get(), &counters, sizeof counters)) {
        return 0;
    }
    return counters.PeakWorkingSetSize;
}

} // namespace nerula::bench
