#pragma once
// A movable local-memory block locked for as long as this lives. The block itself stays
// with its owner (a LocalMemory, a control, a plug-in's caller).

#include <cstddef>

#include <windows.h>

namespace nerula {

template <typename T>
class LockedLocal {
public:
    explicit LockedLocal(HLOCAL memory) noexcept
        : memory_(memory), data_(memory != nullptr ? static_cast<T*>(LocalLock(memory)) : nullptr) {}
    LockedLocal(const LockedLocal&) = delete;
    LockedLocal& operator=(const LockedLocal&) = delete;
    ~LockedLocal() {
        if (data_ != nullptr) {
            LocalUnlock(memory_);
        }
    }

    // Nothing when the block could not be locked.
    T* Get() const noexcept { return data_; }
    explicit operator bool() const noexcept { return data_ != nullptr; }
    // The block's size in bytes (0 when it is not locked).
    std::size_t Bytes() const noexcept { return data_ != nullptr ? LocalSize(memory_) : 0; }

private:
    HLOCAL memory_;
    T* data_;
};

} // namespace nerula
