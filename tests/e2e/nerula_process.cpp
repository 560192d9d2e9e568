#include "nerula_process.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include <tlhelp32.h>

#include "desktop_windows.h"
#include "e2e_options.h"
#include "message_box.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

constexpr DWORD kProcessAccess = SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION;

std::optional<DWORD> ExitCodeAfter(HANDLE process, std::chrono::milliseconds timeout) {
    if (WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
}

bool EndProcess(HANDLE process, DWORD processId, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    // Asked again and again: a box can appear, or the main window be created, after the
    // first request.
    while (std::chrono::steady_clock::now() < end) {
        const auto dialogs = DialogWindows(processId);
        for (const HWND dialog : dialogs) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        if (dialogs.empty()) {
            for (const HWND form : MainForms(processId)) {
                PostMessageW(form, WM_CLOSE, 0, 0);
            }
        }
        if (WaitForSingleObject(process, 200) == WAIT_OBJECT_0) {
            return true;
        }
    }
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    return false;
}

} // namespace

OwnedHandle::~OwnedHandle() {
    if (*this) {
        CloseHandle(handle_);
    }
}

OwnedHandle& OwnedHandle::operator=(OwnedHandle&& other) noexcept {
    if (this != &other) {
        if (*this) {
            CloseHandle(handle_);
        }
        handle_ = other.handle_;
        other.handle_ = nullptr;
    }
    return *this;
}

NerulaProcess::NerulaProcess(const std::wstring& program, const std::wstring& arguments,
                             const std::wstring& directory) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
        throw std::runtime_error("cannot start " + Utf8(program) + ": error " +
                                 std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    process_ = OwnedHandle(info.hProcess);
    id_ = info.dwProcessId;
}

NerulaProcess::~NerulaProcess() {
    Close();
}

bool NerulaProcess::IsRunning() const {
    return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

HWND NerulaProcess::WaitForMainWindow(std::chrono::milliseconds timeout) const {
    return WaitFor(
        [&]() -> HWND {
            const auto forms = MainForms(id_);
            return forms.empty() ? nullptr : forms.front();
        },
        timeout);
}

std::optional<DWORD> NerulaProcess::WaitForExit(std::chrono::milliseconds timeout) const {
    return ExitCodeAfter(process_.Get(), timeout);
}

bool NerulaProcess::Close() {
    if (!IsRunning()) {
        return true;
    }
    return EndProcess(process_.Get(), id_, 5s);
}

bool CloseProcess(DWORD processId, std::chrono::milliseconds timeout) {
    const OwnedHandle process(OpenProcess(kProcessAccess, FALSE, processId));
    if (!process) {
        return true; // already gone
    }
    if (WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0) {
        return true;
    }
    return EndProcess(process.Get(), processId, timeout);
}

std::vector<DWORD> RunningProcesses(std::wstring_view fileName) {
    std::vector<DWORD> ids;
    const OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return ids;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        const std::wstring name = FileNameOf(entry.szExeFile);
        if (CompareStringOrdinal(name.c_str(), static_cast<int>(name.size()), fileName.data(),
                                 static_cast<int>(fileName.size()), TRUE) == CSTR_EQUAL) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    return ids;
}

ProcessGuard::ProcessGuard(const std::wstring& fileName) {
    Watch(fileName);
}

ProcessGuard::~ProcessGuard() {
    CloseAll();
}

void ProcessGuard::Watch(const std::wstring& fileName) {
    fileNames_.push_back(fileName);
    const auto running = RunningProcesses(fileName);
    before_.insert(before_.end(), running.begin(), running.end());
}

std::vector<DWORD> ProcessGuard::NewProcesses() const {
    std::vector<DWORD> fresh;
    for (const std::wstring& fileName : fileNames_) {
        for (const DWORD id : RunningProcesses(fileName)) {
            if (std::find(before_.begin(), before_.end(), id) == before_.end()) {
                fresh.push_back(id);
            }
        }
    }
    return fresh;
}

std::vector<DWORD> ProcessGuard::CloseAll() {
    std::vector<DWORD> terminated;
    // A process can start another while it is being closed; look again until none is new.
    for (int round = 0; round < 5; ++round) {
        const auto fresh = NewProcesses();
        if (fresh.empty()) {
            break;
        }
        for (const DWORD id : fresh) {
            if (!CloseProcess(id)) {
                terminated.push_back(id);
            }
        }
    }
    return terminated;
}

} // namespace nerula::e2e
