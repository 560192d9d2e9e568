// The Options dialog in-process, over a recording stand-in for the main window: the page
// it opens on, loading and storing, the Apply button as the record of changes, the tab
// width's corrections, the plug-in folder rebuilding the table at every change and the
// table given back to the settings' folder on Cancel, errors in applying, and the font
// chooser closed by the test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "common/exception.h"
#include "common/win/wide.h"
#include "common/win/window.h"
#include "common/win/window_text.h"
#include "forms/resource_ids.h"
#include "options/win/config_dialog.h"
#include "presented_errors.h"
#include "recording_services.h"
#include "window_test_support.h"

namespace nerula {
namespace {

// What the dialog reads from and writes to the main window, recorded.
class RecordingTarget final : public ViewerOptionsTarget {
public:
    const std::u16string& PluginPath() const noexcept override { return pluginPath; }
    void SetPluginPath(const std::u16string& folder) override {
        calls.push_back(u"SetPluginPath " + folder);
        pluginPath = folder;
    }
    void InitPlugins(std::u16string_view folder) override {
        calls.push_back(u"InitPlugins " + std::u16string(folder));
    }
    const PluginTable& Plugins() const noexcept override { return plugins; }
    std::int32_t TabWidth() const noexcept override { return tabWidth; }
    void SetTabWidth(std::int32_t value) override {
        if (failTabWidth) {
            throw Exception(u"タブ幅を設定できません");
        }
        calls.push_back(u"SetTabWidth " + ToU16(std::to_wstring(value)));
        tabWidth = value;
    }
    TextFont& ViewerFont() noexcept override { return font; }
    void SetViewerFont(const TextFont& given) override {
        calls.push_back(u"SetViewerFont " + ToU16(given.Name()));
        font.Assign(given);
    }

    std::u16string pluginPath = u"C:\\plugins";
    std::int32_t tabWidth = 8;
    TextFont font{L"IPAGothic", -16};
    PluginTable plugins;
    bool failTabWidth = false;
    std::vector<std::u16string> calls;
};

class OwnerWindow final : public Window {
public:
    OwnerWindow() {
        RegisterClassOnce(L"NerulaConfigOwner", 0, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
        CreateHandle(0, L"NerulaConfigOwner", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 400,
                     nullptr, nullptr);
    }
    ~OwnerWindow() override { DestroyWindow(Handle()); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        return DefaultHandling(message, wParam, lParam);
    }
};

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override { dialog.Create(owner.Handle()); }
    void TearDown() override { test::PumpMessages(); }

    HWND Control(std::u16string_view name) const { return dialog.Control(name); }
    std::u16string Text(std::u16string_view name) const { return WindowText(Control(name)); }
    void Type(std::u16string_view name, std::wstring_view keys) const {
        for (const wchar_t key : keys) {
            SendMessageW(Control(name), WM_CHAR, key, 0);
        }
    }
    void Click(std::u16string_view name) const { SendMessageW(Control(name), BM_CLICK, 0, 0); }
    // Shows the dialog and runs `whileShown` inside its modal loop; the dialog is closed
    // with `closeWith` afterwards unless `whileShown` closed it.
    template <typename WhileShown>
    void Show(WhileShown whileShown, int closeWith = IDCANCEL) {
        test::WithModalDialog([&] { dialog.Execute(); },
                              [&](HWND window) {
                                  whileShown(window);
                                  if (IsWindowVisible(window)) {
                                      SendMessageW(window, WM_COMMAND, closeWith, 0);
                                  }
                              });
    }

    OwnerWindow owner;
    test::RecordingServices services;
    RecordingTarget target;
    TConfigDialog dialog{target, services};
};

TEST_F(ConfigDialogTest, MadeHiddenOpensOnTheViewerPageFirstAndThenOnThePageLastShown) {
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    int shownPage = -1;
    Show([&](HWND window) {
        EXPECT_EQ(window, dialog.Handle());
        shownPage = dialog.Form().SelectedPage(u"OptionPage");
        dialog.Form().SelectPage(u"OptionPage", 1);
    });
    EXPECT_EQ(shownPage, 0);
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << "the owner is enabled again";
    Show([&](HWND) { shownPage = dialog.Form().SelectedPage(u"OptionPage"); });
    EXPECT_EQ(shownPage, 1);
}

TEST_F(ConfigDialogTest, ShowsTheMainWindowsValuesWithApplyGreyed) {
    bool ownerEnabled = true;
    Show([&](HWND) {
        ownerEnabled = IsWindowEnabled(owner.Handle()) != FALSE;
        EXPECT_EQ(Text(u"PluginPathEdt"), u"C:\\plugins");
        EXPECT_EQ(Text(u"TabWidthEdt"), u"8");
        EXPECT_EQ(Text(u"FontBtn"), u"IPAGothic");
        EXPECT_EQ(dialog.FontButtonFont().Size(), target.font.Size());
        EXPECT_FALSE(dialog.ApplyEnabled()) << "loading verifies the tab width, which enables Apply";
    });
    EXPECT_FALSE(ownerEnabled) << "modal: the owner is disabled while it is shown";
    // Loading the folder is no change of it: the table is left alone.
    EXPECT_TRUE(target.calls.empty());
}

TEST_F(ConfigDialogTest, TheTabWidthTakesWholeNumbersFrom0To100) {
    struct Case {
        const char* name;
        std::wstring keys; // typed over the whole of "10"
        std::u16string text;
        std::size_t beeps;
        bool applyEnabled;
    };
    const Case cases[] = {
        {"101 is beyond the range", L"101", u"10", 1, true},
        {"a letter is refused as it is typed", L"a", u"10", 1, false},
        {"100 is the largest", L"100", u"100", 0, true},
        {"0 is the smallest", L"0", u"0", 0, true},
        {"nothing left restores the value", L"\b", u"10", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        target.tabWidth = 10;
        services.beeps.clear();
        Show([&](HWND) {
            SendMessageW(Control(u"TabWidthEdt"), EM_SETSEL, 0, -1);
            Type(u"TabWidthEdt", c.keys);
            EXPECT_EQ(Text(u"TabWidthEdt"), c.text);
            EXPECT_EQ(services.beeps.size(), c.beeps);
            // A corrected entry is verified once more, which enables Apply.
            EXPECT_EQ(dialog.ApplyEnabled(), c.applyEnabled);
        });
    }
    EXPECT_EQ(target.tabWidth, 10) << "Cancel stores nothing";
}

TEST_F(ConfigDialogTest, EachChangeOfTheFolderRebuildsTheTableAndCancelGivesItBack) {
    Show([&](HWND) {
        SetWindowTextW(Control(u"PluginPathEdt"), L"");
        Type(u"PluginPathEdt", L"D:");
        EXPECT_TRUE(dialog.ApplyEnabled());
    });
    EXPECT_EQ(target.calls, (std::vector<std::u16string>{u"InitPlugins ", u"InitPlugins D", u"InitPlugins D:",
                                                         u"InitPlugins C:\\plugins"}));
    EXPECT_EQ(target.pluginPath, u"C:\\plugins");

    // Shown again: the settings' folder, not the cancelled one.
    Show([&](HWND) { EXPECT_EQ(Text(u"PluginPathEdt"), u"C:\\plugins"); });
}

TEST_F(ConfigDialogTest, ApplyStoresEverythingInOrderAndOkWithoutChangesNothing) {
    Show([&](HWND) {}, IDOK);
    EXPECT_TRUE(target.calls.empty()) << "OK with Apply greyed only closes";

    Show([&](HWND) {
        SendMessageW(Control(u"TabWidthEdt"), EM_SETSEL, 0, -1);
        Type(u"TabWidthEdt", L"4");
        Click(u"ApplyButton");
        EXPECT_FALSE(dialog.ApplyEnabled());
    });
    EXPECT_EQ(target.calls, (std::vector<std::u16string>{u"SetPluginPath C:\\plugins", u"SetTabWidth 4",
                                                         u"SetViewerFont IPAGothic"}));
    target.calls.clear();

    // OK applies what is pending, as Apply does.
    Show([&](HWND) { SetWindowTextW(Control(u"PluginPathEdt"), L"E:\\susie"); }, IDOK);
    EXPECT_EQ(target.pluginPath, u"E:\\susie");
    EXPECT_EQ(target.calls.front(), u"InitPlugins E:\\susie");
}

TEST_F(ConfigDialogTest, AnErrorInApplyingIsPresentedAndKeepsApplyEnabled) {
    test::PresentedErrors errors;
    target.failTabWidth = true;
    bool stillShown = false;
    Show([&](HWND window) {
        Type(u"TabWidthEdt", L"2");
        SendMessageW(window, WM_COMMAND, IDOK, 0);
        stillShown = IsWindowVisible(window) != FALSE;
        EXPECT_TRUE(dialog.ApplyEnabled());
    });
    EXPECT_TRUE(stillShown) << "OK stays open when applying fails";
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(errors.messages[0], u"タブ幅を設定できません");
    EXPECT_EQ(target.calls.front(), u"SetPluginPath C:\\plugins") << "what was stored before stays stored";
}

TEST_F(ConfigDialogTest, AtAnotherDpiTheFolderButtonKeepsItsScaledGapAndTheFontItsSize) {
    const int points = dialog.FontButtonFont().Size();
    RECT r{};
    GetWindowRect(dialog.Handle(), &r);
    SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&r));
    RECT edit{};
    RECT button{};
    GetWindowRect(Control(u"PluginPathEdt"), &edit);
    GetWindowRect(Control(u"PluginPathBtn"), &button);
    EXPECT_EQ(button.left - edit.right, 6);
    EXPECT_EQ(button.right - button.left, edit.bottom - edit.top) << "square, as high as the edit";
    EXPECT_EQ(dialog.FontButtonFont().Dpi(), 144u);
    EXPECT_EQ(dialog.FontButtonFont().Size(), points);
}

TEST_F(ConfigDialogTest, TheFontChooserConfirmedShowsTheFontOnTheButton) {
    Show([&](HWND) {
        bool chooserSeen = false;
        test::WithModalDialogOver(
            dialog.Handle(), [&] { Click(u"FontBtn"); },
            [&](HWND chooser) {
                chooserSeen = chooser != dialog.Handle();
                SendMessageW(chooser, WM_COMMAND, IDOK, 0);
            });
        EXPECT_TRUE(chooserSeen);
        EXPECT_TRUE(dialog.ApplyEnabled());
        EXPECT_EQ(Text(u"FontBtn"), ToU16(dialog.FontButtonFont().Name()));
        const auto shown = reinterpret_cast<HFONT>(SendMessageW(Control(u"FontBtn"), WM_GETFONT, 0, 0));
        EXPECT_EQ(shown, dialog.FontButtonFont().Handle());
        Click(u"ApplyButton");
    });
    EXPECT_EQ(target.calls.back(), u"SetViewerFont " + ToU16(target.font.Name()));
}

TEST_F(ConfigDialogTest, TheFontChooserCancelledChangesNothing) {
    Show([&](HWND) {
        test::WithModalDialogOver(
            dialog.Handle(), [&] { Click(u"FontBtn"); },
            [&](HWND chooser) { SendMessageW(chooser, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_FALSE(dialog.ApplyEnabled());
        EXPECT_EQ(Text(u"FontBtn"), u"IPAGothic");
    });
}

// Two image types of the test's plug-in table in the user's classes, one with the verb.
class AssociationPageTest : public ConfigDialogTest {
protected:
    void SetUp() override {
        RemoveKeys();
        SetText(L".nra", L"nrafile");
        SetText(L"nrafile", L"NRA 画像");
        SetText(L"nrafile\\shell\\nerula\\command", L"x");
        SetText(L".nrb", L"nrbfile");
        SetText(L"nrbfile", L"NRB 画像");
        target.plugins.Reset();
        target.plugins.AddPlugin(u"*.nra;*.nrb", u"C:\\nowhere\\nr.spi");
        ConfigDialogTest::SetUp();
    }
    void TearDown() override {
        ConfigDialogTest::TearDown();
        RemoveKeys();
    }
    static void RemoveKeys() {
        // The built-in formats' rows are image rows too: what the all-box wrote for them goes.
        for (const wchar_t* key :
             {L".nra", L"nrafile", L".nrb", L"nrbfile", L".bmp", L".dib", L"Nerula.bmpFile"}) {
            RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\Classes\\") + key).c_str());
        }
    }
    static void SetText(const std::wstring& path, const std::wstring& value) {
        RegSetKeyValueW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + path).c_str(), nullptr, REG_SZ,
                        value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    // The list item showing a caption.
    int ItemOf(const std::wstring& caption) const {
        LVFINDINFOW find{};
        find.flags = LVFI_STRING;
        find.psz = caption.c_str();
        return static_cast<int>(SendMessageW(Control(u"AssociationLst"), LVM_FINDITEMW,
                                             static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    }
    bool ItemChecked(int item) const {
        return (SendMessageW(Control(u"AssociationLst"), LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK) >>
                12) == 2;
    }
    void SetItemState(int item, UINT mask, UINT state) const {
        LVITEMW change{};
        change.stateMask = mask;
        change.state = state;
        SendMessageW(Control(u"AssociationLst"), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&change));
    }
    LRESULT AllImage() const { return SendMessageW(Control(u"AllImageChk"), BM_GETCHECK, 0, 0); }
};

TEST_F(AssociationPageTest, RowsChecksAndTheAllBoxDecideWhatApplyWrites) {
    Show([&](HWND) {
        const int a = ItemOf(L"NRA 画像");
        const int b = ItemOf(L"NRB 画像");
        ASSERT_GE(a, 0);
        ASSERT_GE(b, 0);
        EXPECT_TRUE(ItemChecked(a)) << "the verb is registered for nrafile";
        EXPECT_FALSE(ItemChecked(b));
        EXPECT_EQ(AllImage(), BST_INDETERMINATE);
        EXPECT_FALSE(dialog.ApplyEnabled());

        // Selecting and focusing a row is no change of it.
        SetItemState(b, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_FALSE(dialog.ApplyEnabled());
        // Its check box is, both ways.
        SetItemState(b, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2));
        EXPECT_TRUE(dialog.ApplyEnabled());
        SetItemState(b, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
        EXPECT_EQ(AllImage(), BST_INDETERMINATE);

        // Greyed, a click checks every image row; checked, it unchecks them.
        Click(u"AllImageChk");
        EXPECT_EQ(AllImage(), BST_CHECKED);
        EXPECT_TRUE(ItemChecked(a));
        EXPECT_TRUE(ItemChecked(b));
        Click(u"AllImageChk");
        EXPECT_EQ(AllImage(), BST_UNCHECKED);
        EXPECT_FALSE(ItemChecked(a));
        EXPECT_FALSE(ItemChecked(b));
        SetItemState(b, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2));
        Click(u"ApplyButton");
    });
    wchar_t command[512] = {};
    DWORD bytes = sizeof command;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Classes\\nrbfile\\shell\\nerula\\command", nullptr,
                           RRF_RT_REG_SZ, nullptr, command, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(command).rfind(L"\" \"%1\""), std::wstring(command).size() - 6);
    HKEY gone = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\nrafile", 0, KEY_READ, &gone),
              ERROR_SUCCESS)
        << "the unchecked row's keys went, being left empty";
}

} // namespace
} // namespace nerula
