#pragma once
// A window's text, whole, however long.

#include <string>

#include <windows.h>

namespace nerula {

std::u16string WindowText(HWND window);

} // namespace nerula
