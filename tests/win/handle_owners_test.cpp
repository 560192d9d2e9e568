// The owners of handles that are borrowed rather than created: locked local memory,
// selections in a device context, the clipboard; and filling an owner in place.

#include <gtest/gtest.h>

#include <vector>

#include "common/win/clipboard.h"
#include "common/win/device_context.h"
#include "common/win/locked_local.h"
#include "common/win/unique_handle.h"

namespace nerula {
namespace {

// Counts what it releases, so that a test sees every release.
struct CountingTraits {
    using Type = int;
    static inline std::vector<int> closed;
    static Type Invalid() noexcept { return 0; }
    static void Close(Type h) noexcept { closed.push_back(h); }
};

void HandOut(int* handle) {
    *handle = 42;
}

TEST(HandleOwnersTest, AnOwnerFilledAsAnOutParameterReleasesWhatItHeldAndKeepsTheNewHandle) {
    CountingTraits::closed.clear();
    {
        UniqueHandle<CountingTraits> owner(7);
        HandOut(owner.Receive());
        EXPECT_EQ(CountingTraits::closed, std::vector<int>{7});
        EXPECT_EQ(owner.Get(), 42);
    }
    EXPECT_EQ(CountingTraits::closed, (std::vector<int>{7, 42}));
}

UINT LockCount(HLOCAL memory) {
    return LocalFlags(memory) & LMEM_LOCKCOUNT;
}

TEST(HandleOwnersTest, LockedLocalMemoryIsUnlockedAgainButStaysWithItsOwner) {
    const LocalMemory memory(LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, 64));
    ASSERT_TRUE(memory);
    {
        const LockedLocal<char> locked(memory.Get());
        ASSERT_TRUE(locked);
        EXPECT_GE(locked.Bytes(), 64u);
        EXPECT_EQ(LockCount(memory.Get()), 1u);
        {
            const LockedLocal<const char> again(memory.Get());
            EXPECT_EQ(again.Get(), locked.Get());
            EXPECT_EQ(LockCount(memory.Get()), 2u);
        }
        EXPECT_EQ(LockCount(memory.Get()), 1u);
    }
    EXPECT_EQ(LockCount(memory.Get()), 0u);
    EXPECT_NE(LocalFlags(memory.Get()), LMEM_INVALID_HANDLE);
    // Nothing to lock gives nothing, and nothing to unlock.
    const LockedLocal<char> none(nullptr);
    EXPECT_FALSE(none);
    EXPECT_EQ(none.Bytes(), 0u);
}

TEST(HandleOwnersTest, ASelectedObjectAndTheSavedStateGoBackInTheirOrder) {
    const WindowDc screen(nullptr);
    ASSERT_TRUE(screen);
    const MemoryDc dc(CreateCompatibleDC(screen.Get()));
    ASSERT_TRUE(dc);
    const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_FONT);
    const GdiObject font(CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    {
        const SelectedObject selected(dc.Get(), font.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
        {
            const SavedDcState saved(dc.Get());
            SelectObject(dc.Get(), GetStockObject(SYSTEM_FONT));
            SetMapMode(dc.Get(), MM_TWIPS);
        }
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
        EXPECT_EQ(GetMapMode(dc.Get()), MM_TEXT);
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), original);
}

TEST(HandleOwnersTest, TheClipboardIsClosedAgainAndTakesABitmapOnlyWhenItCan) {
    const HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    const WindowDc screen(nullptr);
    {
        ClipboardSession clipboard(owner);
        ASSERT_TRUE(clipboard.Opened());
        EXPECT_EQ(GetOpenClipboardWindow(), owner);
        ASSERT_TRUE(clipboard.Empty());
        GdiObject bitmap(CreateCompatibleBitmap(screen.Get(), 2, 2));
        ASSERT_TRUE(bitmap);
        EXPECT_TRUE(clipboard.Put(CF_BITMAP, bitmap));
        // The clipboard owns it now: the owner let it go.
        EXPECT_FALSE(bitmap);
    }
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));

    // With the clipboard closed, SetClipboardData fails and the bitmap stays owned here.
    ClipboardSession closed(owner);
    ASSERT_TRUE(closed.Opened());
    CloseClipboard();
    GdiObject kept(CreateCompatibleBitmap(screen.Get(), 2, 2));
    EXPECT_FALSE(closed.Put(CF_BITMAP, kept));
    EXPECT_TRUE(kept);
    DestroyWindow(owner);
}

} // namespace
} // namespace nerula
