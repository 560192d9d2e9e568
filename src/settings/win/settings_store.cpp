#include "settings/win/settings_store.h"

#include <cwctype>

#include <windows.h>

#include "common/win/unique_handle.h"

namespace nerula {
namespace {

// One mutex per settings file, named after a hash of its path (a name cannot hold "\").
std::wstring MutexName(const std::wstring& fileName) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const wchar_t c : fileName) {
        hash = (hash ^ static_cast<std::uint64_t>(std::towlower(static_cast<wint_t>(c)))) * 1099511628211ULL;
    }
    wchar_t name[64];
    swprintf(name, 64, L"Local\\Nerula.Settings.%016llx", static_cast<unsigned long long>(hash));
    return name;
}

class MutexLock {
public:
    explicit MutexLock(const std::wstring& name) : mutex_(CreateMutexW(nullptr, FALSE, name.c_str())) {
        if (mutex_) {
            const DWORD result = WaitForSingleObject(mutex_.Get(), 10000);
            held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        }
    }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;
    ~MutexLock() {
        if (held_) {
            ReleaseMutex(mutex_.Get());
        }
    }

private:
    KernelHandle mutex_;
    bool held_ = false;
};

} // namespace

void SaveIniFileAtomically(const std::wstring& fileName, const std::function<void(TAppIniFile&)>& write) {
    const MutexLock lock(MutexName(fileName));
    const std::wstring copy = fileName + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const bool exists = GetFileAttributesW(fileName.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (exists && !CopyFileW(fileName.c_str(), copy.c_str(), FALSE)) {
        ThrowIniWriteError(fileName);
    }
    try {
        {
            TAppIniFile ini(copy);
            write(ini);
        }
        if (!MoveFileExW(copy.c_str(), fileName.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            ThrowIniWriteError(fileName);
        }
    } catch (...) {
        DeleteFileW(copy.c_str());
        ThrowIniWriteError(fileName);
    }
}

} // namespace nerula
