#pragma once
// The keyboard, as a user presses it: key events through SendInput reach the window in
// front and pass through the program's own message loop (its shortcuts and its dialogs'
// keys), which posted key messages would skip.

#include <initializer_list>
#include <string_view>

#include <windows.h>

namespace nerula::e2e {

// Puts the window in front, so that it receives the keys; false if it did not get there.
bool BringToFront(HWND window);

// Presses and releases a key with the modifier keys held (VK_CONTROL, VK_SHIFT, VK_MENU).
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});

// Types the text character by character, as an input method hands characters over.
void TypeText(std::wstring_view text);

// The window that has the keyboard focus in the thread that owns `window`, or nullptr.
HWND FocusOf(HWND window);

} // namespace nerula::e2e
