#pragma once
// The viewer settings in the per-user settings file.

#include <cstdint>

#include "settings/viewer_settings.h"

namespace nerula {

// Reads the settings file; without one (or without the application-data folder) every
// setting has its default. Never fails.
ViewerSettings LoadViewerSettings(std::uint32_t ansiCodePage);

// Writes all nine settings, replacing the file in one step. Where the application-data
// folder cannot be had nothing is written: better lost than written to an unintended
// place. Fails with "%s に書き込めません"; the file is then unchanged.
void SaveViewerSettings(const ViewerSettings& settings);

} // namespace nerula
