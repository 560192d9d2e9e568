// The Options dialog end to end, with the keyboard: opened from its menu item, the tab
// width and the plug-in folder typed through their labels' access keys, Apply, OK and
// Cancel, the values shown again on reopening, and the settings file after exit.

#include <string>

#include <windows.h>
#include <commctrl.h>

#include "desktop_windows.h"
#include "e2e_options.h"
#include "e2e_test.h"
#include "keyboard.h"
#include "menu_commands.h"
#include "message_box.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

class OptionsDialogTest : public E2eTest {
protected:
    // The dialog, once it is shown.
    HWND DialogShown() const {
        return WaitFor(
            [&]() -> HWND {
                for (const HWND dialog : DialogWindows(nerula_->Id())) {
                    if (TextOf(dialog) == L"オプション") {
                        return dialog;
                    }
                }
                return nullptr;
            },
            5s);
    }
    HWND Open() {
        PostMenuCommand(main_, Command(L"設定(&C)..."));
        const HWND dialog = DialogShown();
        if (dialog != nullptr) {
            EXPECT_TRUE(BringToFront(dialog));
        }
        return dialog;
    }

    struct Found {
        HWND tabWidth = nullptr;
        HWND folder = nullptr;
        HWND apply = nullptr;
    };
    // The tab width is the up-down's buddy; the folder is the edit just before the "..."
    // button; Apply is found by its caption.
    static Found Controls(HWND dialog) {
        Found found;
        EnumChildWindows(
            dialog,
            [](HWND child, LPARAM param) -> BOOL {
                Found& f = *reinterpret_cast<Found*>(param);
                const std::wstring name = ClassNameOf(child);
                if (name == L"msctls_updown32") {
                    f.tabWidth = reinterpret_cast<HWND>(SendMessageW(child, UDM_GETBUDDY, 0, 0));
                } else if (name == L"Button" && TextOf(child) == L"...") {
                    f.folder = GetWindow(child, GW_HWNDPREV);
                } else if (name == L"Button" && TextOf(child) == L"適用(&A)") {
                    f.apply = child;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    testing::AssertionResult TextBecomes(HWND control, const std::wstring& expected) const {
        if (WaitFor([&] { return ControlText(control) == expected; }, 5s)) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "the text is \"" << Utf8(ControlText(control)) << "\", not \"" << Utf8(expected) << "\"";
    }

    NerulaProcess* nerula_ = nullptr;
    HWND main_ = nullptr;
};

TEST_F(OptionsDialogTest, TypedValuesAreAppliedKeptAndSavedAndCancelDropsTheRest) {
    nerula_ = &Start(Quoted(SampleTextFile()));
    main_ = ReadyMainWindow(*nerula_);
    ASSERT_NE(main_, nullptr);
    const std::wstring pluginFolder = folder.Path();

    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr) << "the menu item shows no Options dialog";
    Found controls = Controls(dialog);
    ASSERT_NE(controls.tabWidth, nullptr);
    ASSERT_NE(controls.folder, nullptr);
    ASSERT_NE(controls.apply, nullptr);
    EXPECT_FALSE(IsWindowEnabled(controls.apply));

    // Alt+T: タブ幅(&T), its text selected, typed over.
    PressKey('T', {VK_MENU});
    TypeText(L"4");
    EXPECT_TRUE(TextBecomes(controls.tabWidth, L"4"));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(controls.apply) != FALSE; }, 5s));
    // A letter is refused.
    TypeText(L"x");
    EXPECT_TRUE(TextBecomes(controls.tabWidth, L"4"));
    PressKey('A', {VK_MENU});
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(controls.apply) == FALSE; }, 5s)) << "Apply greys Apply";

    // Alt+P: the plug-in folder; Enter is OK, which applies it.
    PressKey('P', {VK_MENU});
    TypeText(pluginFolder);
    EXPECT_TRUE(TextBecomes(controls.folder, pluginFolder));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntilGone(dialog, 5s));

    // Reopened: what was applied; a change cancelled with Escape is gone the next time.
    ASSERT_TRUE(BringToFront(main_));
    dialog = Open();
    ASSERT_NE(dialog, nullptr);
    controls = Controls(dialog);
    EXPECT_TRUE(TextBecomes(controls.tabWidth, L"4"));
    EXPECT_TRUE(TextBecomes(controls.folder, pluginFolder));
    PressKey('T', {VK_MENU});
    TypeText(L"12");
    EXPECT_TRUE(TextBecomes(controls.tabWidth, L"12"));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(dialog, 5s));
    ASSERT_TRUE(BringToFront(main_));
    dialog = Open();
    ASSERT_NE(dialog, nullptr);
    controls = Controls(dialog);
    EXPECT_TRUE(TextBecomes(controls.tabWidth, L"4"));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(dialog, 5s));

    PostMenuCommand(main_, Command(L"終了(&X)"));
    ASSERT_TRUE(nerula_->WaitForExit(10s).has_value());
    const std::wstring file = SettingsFile();
    EXPECT_EQ(GetPrivateProfileIntW(L"Text", L"TabWidth", 0, file.c_str()), 4u);
    wchar_t saved[MAX_PATH] = {};
    GetPrivateProfileStringW(L"Image", L"PluginPath", L"", saved, MAX_PATH, file.c_str());
    EXPECT_EQ(std::wstring(saved), pluginFolder);
}

} // namespace
} // namespace nerula::e2e
