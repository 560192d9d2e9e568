// A subclass sees the window's messages while it lives, and is gone, with nothing left
// behind, once either it or the window ends.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "common/exception.h"
#include "common/win/subclass.h"
#include "presented_errors.h"

namespace nerula {
namespace {

class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override {
        edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(edit, nullptr);
    }
    void TearDown() override {
        if (IsWindow(edit)) {
            DestroyWindow(edit);
        }
    }

    std::wstring Text() const {
        wchar_t text[64] = {};
        GetWindowTextW(edit, text, 64);
        return text;
    }

    // Counts WM_SETTEXT and every message, keeps the last message, and turns "throw" into
    // an exception; everything goes on to the edit control.
    WindowSubclass::Procedure Recorder() {
        return [this, alive = alive](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            ++messages;
            lastMessage = message;
            if (message == WM_SETTEXT) {
                ++setTexts;
                if (std::wstring(reinterpret_cast<const wchar_t*>(lParam)) == L"throw") {
                    throw Exception(u"サブクラスで失敗しました");
                }
            }
            return DefSubclassProc(window, message, wParam, lParam);
        };
    }

    test::PresentedErrors errors;
    HWND edit = nullptr;
    int messages = 0;
    int setTexts = 0;
    UINT lastMessage = 0;
    // Held by the procedure: its count shows whether a procedure is still kept somewhere.
    std::shared_ptr<int> alive = std::make_shared<int>(0);
};

TEST_F(SubclassTest, SeesMessagesAndPassesThemOn) {
    const WindowSubclass subclass(edit, Recorder());
    EXPECT_TRUE(subclass.Attached());
    EXPECT_EQ(subclass.Window(), edit);
    SetWindowTextW(edit, L"abc");
    EXPECT_EQ(setTexts, 1);
    EXPECT_EQ(Text(), L"abc");
}

TEST_F(SubclassTest, EndsWithItsObject) {
    {
        const WindowSubclass subclass(edit, Recorder());
        EXPECT_EQ(alive.use_count(), 2);
    }
    EXPECT_EQ(alive.use_count(), 1);
    const int before = messages;
    SetWindowTextW(edit, L"after");
    EXPECT_EQ(messages, before);
    EXPECT_EQ(Text(), L"after"); // the edit control's own procedure goes on
}

TEST_F(SubclassTest, EndsWithItsWindowAndIsRemovedFromIt) {
    auto subclass = std::make_unique<WindowSubclass>(edit, Recorder());
    DestroyWindow(edit);
    EXPECT_EQ(lastMessage, static_cast<UINT>(WM_NCDESTROY));
    EXPECT_FALSE(subclass->Attached());
    EXPECT_EQ(subclass->Window(), nullptr);
    const int seen = messages;
    subclass.reset(); // nothing to remove any more, and nothing runs
    EXPECT_EQ(messages, seen);
    EXPECT_EQ(alive.use_count(), 1);
}

TEST_F(SubclassTest, TwoSubclassesOnOneWindowAreToldApart) {
    auto first = std::make_unique<WindowSubclass>(edit, Recorder());
    int secondCalls = 0;
    const WindowSubclass second(edit, [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTEXT) {
            ++secondCalls;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    });
    first.reset();
    SetWindowTextW(edit, L"x");
    EXPECT_EQ(setTexts, 0);
    EXPECT_EQ(secondCalls, 1);
    EXPECT_TRUE(second.Attached());
}

TEST_F(SubclassTest, AnErrorIsPresentedAndTheSubclassStays) {
    const WindowSubclass subclass(edit, Recorder());
    SetWindowTextW(edit, L"throw");
    EXPECT_EQ(errors.messages, std::vector<std::u16string>{u"サブクラスで失敗しました"});
    EXPECT_TRUE(subclass.Attached());
    SetWindowTextW(edit, L"next");
    EXPECT_EQ(setTexts, 2);
    EXPECT_EQ(Text(), L"next");
}

} // namespace
} // namespace nerula
