// Settings end to end: every window is a process of its own, and several of them may save
// the same settings file at once; the file must come out whole every time.

#include <string>

#include "desktop_windows.h"
#include "e2e_options.h"
#include "e2e_test.h"
#include "menu_commands.h"
#include "message_box.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

TEST_F(E2eTest, WindowsClosingTogetherLeaveAWholeFile) {
    const std::wstring file = SettingsFile();
    for (int round = 0; round < 3; ++round) {
        std::vector<HWND> windows;
        std::vector<const NerulaProcess*> processes;
        for (int i = 0; i < 3; ++i) {
            const NerulaProcess& nerula = Start(L"");
            const HWND main = ReadyMainWindow(nerula);
            ASSERT_NE(main, nullptr);
            // A change, so that the window saves when it closes.
            PostMenuCommand(main, Command(L"右端を折り返す(&W)"));
            windows.push_back(main);
            processes.push_back(&nerula);
        }
        Sleep(300);
        for (const HWND main : windows) {
            PostMenuCommand(main, Command(L"終了(&X)"));
        }
        for (const NerulaProcess* nerula : processes) {
            const auto exitCode = nerula->WaitForExit(10s);
            ASSERT_TRUE(exitCode.has_value()) << "a window did not close";
            EXPECT_EQ(*exitCode, 0u);
            EXPECT_EQ(FindMessageBox(nerula->Id()), nullptr);
        }
        // All nine keys are there, and word wrap was switched by every window from what the
        // round before left: off after the first round, on after the second.
        for (const auto& [section, key] :
             {std::pair{L"Image", L"PluginPath"}, std::pair{L"Image", L"ViewStyle"},
              std::pair{L"Text", L"WordWrap"}, std::pair{L"Text", L"TabWidth"},
              std::pair{L"Text", L"FontName"}, std::pair{L"Text", L"FontSize"},
              std::pair{L"Text", L"FontStyle"}, std::pair{L"Text", L"AutoEncode"},
              std::pair{L"Text", L"CodePage"}}) {
            wchar_t value[64] = {};
            GetPrivateProfileStringW(section, key, L"<missing>", value, 64, file.c_str());
            EXPECT_STRNE(value, L"<missing>") << Utf8(key) << " in round " << round;
        }
        EXPECT_EQ(GetPrivateProfileIntW(L"Text", L"WordWrap", 7, file.c_str()), round % 2 == 0 ? 0u : 1u);
        EXPECT_EQ(GetPrivateProfileIntW(L"Text", L"TabWidth", 0, file.c_str()), 4u);
        // No copy is left behind.
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirstFileW((file + L".*.tmp").c_str(), &data);
        EXPECT_EQ(find, INVALID_HANDLE_VALUE);
        if (find != INVALID_HANDLE_VALUE) {
            FindClose(find);
        }
    }
}

} // namespace
} // namespace nerula::e2e
