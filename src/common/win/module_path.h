#pragma once

#include <string>

#include <windows.h>

namespace nerula {

// The full path of a loaded module (the program itself by default), however long.
std::wstring ModuleFileName(HMODULE module = nullptr);

} // namespace nerula
