#pragma once
// One owner type for every kind of handle: move-only, released exactly once.

#include <utility>

#include <windows.h>
#include <shellapi.h>

namespace nerula {

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Type Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    Type Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    // For functions that hand out a new handle through an out-parameter: whatever the
    // owner held is released first, and the handle is written straight into the owner, so
    // no raw handle is ever adopted afterwards.
    Type* Receive() noexcept {
        Reset();
        return &handle_;
    }
    void Reset(Type handle = Traits::Invalid()) noexcept {
        const Type old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Type handle_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { CloseHandle(h); }
};
using FileHandle = UniqueHandle<FileHandleTraits>;

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { FreeLibrary(h); }
};
using ModuleHandle = UniqueHandle<ModuleTraits>;

struct LocalMemoryTraits {
    using Type = HLOCAL;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { LocalFree(h); }
};
using LocalMemory = UniqueHandle<LocalMemoryTraits>;

struct DropTraits {
    using Type = HDROP;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { DragFinish(h); }
};
using DropHandle = UniqueHandle<DropTraits>;

struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { DeleteObject(h); }
};
using GdiObject = UniqueHandle<GdiObjectTraits>;

struct MemoryDcTraits {
    using Type = HDC;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { DeleteDC(h); }
};
// A device context of one's own (CreateCompatibleDC), deleted when done.
using MemoryDc = UniqueHandle<MemoryDcTraits>;

struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { DestroyMenu(h); }
};
using MenuHandle = UniqueHandle<MenuTraits>;

struct WindowTraits {
    using Type = HWND;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { DestroyWindow(h); }
};
using WindowHandle = UniqueHandle<WindowTraits>;

struct RegistryKeyTraits {
    using Type = HKEY;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { RegCloseKey(h); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

struct FindTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { FindClose(h); }
};
using FindHandle = UniqueHandle<FindTraits>;

} // namespace nerula
