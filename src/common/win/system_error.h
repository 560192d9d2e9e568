#pragma once

#include <string>

#include <windows.h>

namespace nerula {

// The system's text for an error code, without the trailing line break and full stop
// that the system puts at its end, so that it can stand inside a sentence.
std::u16string SystemErrorText(DWORD code);

} // namespace nerula
