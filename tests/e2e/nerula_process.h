#pragma once
// Processes of the program under test: started with a real command line, watched from
// outside, and always ended, politely first.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

namespace nerula::e2e {

using namespace std::chrono_literals;

class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) noexcept : handle_(handle) {}
    ~OwnedHandle();
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    OwnedHandle& operator=(OwnedHandle&& other) noexcept;
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_ = nullptr;
};

class NerulaProcess {
public:
    // Runs `"program" arguments` in `directory` (the driver's own when empty). Throws
    // std::runtime_error when the process cannot be created.
    NerulaProcess(const std::wstring& program, const std::wstring& arguments,
                  const std::wstring& directory = {});
    // Ends the process if it still runs.
    ~NerulaProcess();
    NerulaProcess(const NerulaProcess&) = delete;
    NerulaProcess& operator=(const NerulaProcess&) = delete;

    DWORD Id() const noexcept { return id_; }
    bool IsRunning() const;

    // The process's main window once it exists (it may still be hidden), or nullptr.
    HWND WaitForMainWindow(std::chrono::milliseconds timeout = 10s) const;

    // The exit code once the process has ended, or nothing when it still runs.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) const;

    // Closes the process as a user would (see CloseProcess). False when it had to be
    // terminated.
    bool Close();

private:
    OwnedHandle process_;
    DWORD id_ = 0;
};

// Ends a process of the program as a user would: cancels its dialogs and message boxes,
// sends WM_CLOSE to its main windows, and waits. A process that is still there after
// `timeout` is terminated. True when it ended without being terminated.
bool CloseProcess(DWORD processId, std::chrono::milliseconds timeout = 5s);

// The ids of the running processes whose program file is named `fileName`.
std::vector<DWORD> RunningProcesses(std::wstring_view fileName);

// Remembers which processes of the program ran before it, and ends every one that has
// appeared since: those the program started itself included.
class ProcessGuard {
public:
    explicit ProcessGuard(const std::wstring& fileName);
    ~ProcessGuard();
    ProcessGuard(const ProcessGuard&) = delete;
    ProcessGuard& operator=(const ProcessGuard&) = delete;

    // Also looks after the processes of a program file of another name (a copy).
    void Watch(const std::wstring& fileName);

    std::vector<DWORD> NewProcesses() const;

    // Closes every new process; gives the ids of those that had to be terminated.
    std::vector<DWORD> CloseAll();

private:
    std::vector<std::wstring> fileNames_;
    std::vector<DWORD> before_;
};

} // namespace nerula::e2e
