#pragma once
// Decoding a document into a picture: BMP and DIB files by the built-in reader, every
// other extension by the plug-in that the table names for it.

#include <optional>
#include <string>

#include <windows.h>

#include "common/memory_stream.h"
#include "image/plugin_table.h"
#include "image/win/picture.h"
#include "image/win/susie_plugin_abi.h"

namespace nerula {

// The plug-in table's lookup: names compared without regard to case by the user's locale.
std::optional<std::u16string> FindPlugin(const PluginTable& table, std::u16string_view extension);

// The picture, or nothing when no plug-in takes the file (the caller shows it as text).
// A BMP or DIB that the reader rejects fails with the reader's error.
std::optional<Picture> DecodePicture(const std::wstring& path, const MemoryStream& stream,
                                     const PluginTable& table, HWND owner);

// The size and colour depth for the caption: a BMP or DIB header as it stands, or what
// the plug-in reports. Nothing when the plug-in is missing or fails.
std::optional<susie::PictureInfo> ReadPictureInfo(const std::wstring& path, const MemoryStream& stream,
                                                  const PluginTable& table);

} // namespace nerula
