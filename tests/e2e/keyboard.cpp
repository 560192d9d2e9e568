#include "keyboard.h"

#include <vector>

#include "wait.h"

namespace nerula::e2e {
namespace {

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void Send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // The program handles them in its own time; a pause keeps one chord from running into
    // the next.
    Sleep(150);
}

} // namespace

bool BringToFront(HWND window) {
    return WaitFor(
        [&] {
            if (GetForegroundWindow() != window) {
                SetForegroundWindow(window);
            }
            return GetForegroundWindow() == window;
        },
        5s);
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (const WORD modifier : modifiers) {
        inputs.push_back(Key(modifier, false));
    }
    inputs.push_back(Key(key, false));
    inputs.push_back(Key(key, true));
    for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier) {
        inputs.push_back(Key(*modifier, true));
    }
    Send(inputs);
}

void TypeText(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (const wchar_t c : text) {
        for (const bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    Send(inputs);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

} // namespace nerula::e2e
