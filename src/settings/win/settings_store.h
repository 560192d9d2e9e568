#pragma once
// Saving a whole set of settings so that other processes of the program, which load and
// save the same file, never see it half-written: the writes go to a copy beside it, which
// then replaces the file in one step, one process at a time.

#include <functional>
#include <string>

#include "settings/win/app_ini_file.h"

namespace nerula {

// Runs `write` on a TAppIniFile over a copy of the file and puts the copy in the file's
// place. Fails with "%s に書き込めません" naming the file; the file is then unchanged.
void SaveIniFileAtomically(const std::wstring& fileName, const std::function<void(TAppIniFile&)>& write);

} // namespace nerula
