#pragma once
// The two ways of opening the test picture that the benchmark compares: Nerula's own, and
// the least that any viewer must do (read the file, make a 32-bit DIB section, convert the
// rows). Each keeps its picture alive until the result is destroyed, so that freeing it is
// not counted as opening it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "common/win/unique_handle.h"
#include "image/plugin_table.h"
#include "image/win/picture.h"

namespace nerula::bench {

// Milliseconds of the whole open and of its two stages.
struct OpenTimes {
    double total = 0;
    double read = 0;
    double decode = 0; // the DIB section's creation and filling included
};

struct BaselinePicture {
    GdiObject bitmap;
    std::uint32_t* bits = nullptr;
};

// Reads a bottom-up 24-bit BMP with a 40-byte header, as the benchmark writes it.
OpenTimes OpenBaseline(const std::wstring& path, BaselinePicture& picture);

// The least that a viewer through a plug-in must do: read the NTP file, load the plug-in,
// have it decode, convert its rows into a 32-bit DIB section.
OpenTimes OpenPluginBaseline(const std::wstring& path, const std::wstring& plugin, BaselinePicture& picture);

// ReadWholeFile, a MemoryStream and DecodePicture, as the program opens a document.
OpenTimes OpenWithNerula(const std::wstring& path, const PluginTable& table, std::optional<Picture>& picture);

} // namespace nerula::bench
