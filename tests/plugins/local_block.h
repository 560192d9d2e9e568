#pragma once
// The moveable local memory that GetPicture hands out: allocated zeroed, filled while
// locked, and freed again unless the handle is handed out.

#include <cstddef>

#include <windows.h>

#include "common/win/unique_handle.h"

namespace nerula::plugins {

inline LocalMemory AllocateMoveable(std::size_t size) {
    return LocalMemory(LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, size));
}

// Keeps a moveable block locked for as long as it lives.
class LocalLockGuard {
public:
    explicit LocalLockGuard(HLOCAL handle) noexcept : handle_(handle), data_(LocalLock(handle)) {}
    ~LocalLockGuard() {
        if (data_ != nullptr) {
            LocalUnlock(handle_);
        }
    }
    LocalLockGuard(const LocalLockGuard&) = delete;
    LocalLockGuard& operator=(const LocalLockGuard&) = delete;

    unsigned char* Data() const noexcept { return static_cast<unsigned char*>(data_); }

private:
    HLOCAL handle_;
    void* data_;
};

} // namespace nerula::plugins
