// The application's message loop: the active modeless dialog gets its keys first, and
// the main window's shortcuts stay with the main window.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

#include "common/win/dialog.h"
#include "forms/form_table.h"
#include "main_form_fixture.h"

namespace nerula {
namespace {

constexpr FormSpec kSpec{
    .caption = u"ループ", .clientWidth = 200, .clientHeight = 70, .fontFace = u"Tahoma", .fontHeight = -11};

constexpr std::array<ControlSpec, 3> kControls{{
    {.name = u"FirstEdit",
     .kind = ControlKind::Edit,
     .bounds = {8, 8, 100, 21},
     .options = ControlOption::TabStop,
     .id = 101},
    {.name = u"SecondEdit",
     .kind = ControlKind::Edit,
     .bounds = {8, 36, 100, 21},
     .options = ControlOption::TabStop,
     .tabOrder = 1,
     .id = 102},
    {.name = u"CancelButton",
     .kind = ControlKind::PushButton,
     .bounds = {116, 8, 75, 25},
     .caption = u"キャンセル",
     .options = ControlOption::TabStop | ControlOption::Cancel,
     .tabOrder = 2,
     .id = kCancelButtonId},
}};

class LoopDialog : public Dialog {
public:
    LoopDialog() : Dialog(kControls, kSpec) {}
};

// Runs the steps from inside the loop, once the loop has shown the main window, one at a
// time with a pause between them, so that Wine's answers to the window system (activation,
// focus) arrive before the next step looks.
std::vector<std::function<void()>> pendingSteps;
std::size_t nextStep = 0;

void CALLBACK RunNextStep(HWND window, UINT, UINT_PTR id, DWORD) {
    if (nextStep >= pendingSteps.size()) {
        KillTimer(window, id);
        return;
    }
    pendingSteps[nextStep++]();
}

void RunSteps(HWND window, std::vector<std::function<void()>> steps) {
    pendingSteps = std::move(steps);
    nextStep = 0;
    SetTimer(window, 1, 100, &RunNextStep);
}

void PressKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

class MessageLoopTest : public test::MainFormTest {};

TEST_F(MessageLoopTest, TheActiveModelessDialogTakesTabAndEscapeThroughTheLoop) {
    Create(L"");
    LoopDialog dialog;
    dialog.CreateModeless(form->Handle());
    HWND focusAfterTab = nullptr;
    HWND second = nullptr;
    bool visibleAfterEscape = true;
    bool existsAfterEscape = false;
    RunSteps(form->Handle(), {
                                 [&] {
                                     dialog.Show();
                                     SetForegroundWindow(dialog.Handle());
                                 },
                                 [&] {
                                     SetFocus(dialog.Control(u"FirstEdit"));
                                     PressKey(dialog.Control(u"FirstEdit"), VK_TAB);
                                 },
                                 [&] {
                                     focusAfterTab = GetFocus();
                                     second = dialog.Control(u"SecondEdit");
                                     PressKey(GetFocus(), VK_ESCAPE);
                                 },
                                 [&] {
                                     visibleAfterEscape = IsWindowVisible(dialog.Handle()) != FALSE;
                                     existsAfterEscape = IsWindow(dialog.Handle()) != FALSE;
                                     PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
                                 },
                             });
    app.Run(form->Accelerators());
    // The dialog went with the main window, which owned it.
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(focusAfterTab, second);
    EXPECT_FALSE(visibleAfterEscape) << "Escape is the modeless dialog's Cancel, which hides it";
    EXPECT_TRUE(existsAfterEscape) << "hidden, not destroyed";
}

} // namespace
} // namespace nerula
