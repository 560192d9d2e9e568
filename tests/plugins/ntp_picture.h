#pragma once
// GetPicture and GetPictureInfo for NTP files, shared by the plug-ins that decode them.

#include "image/win/susie_plugin_abi.h"

namespace nerula::plugins {

int DescribeNtp(LPCSTR data, LONG_PTR length, unsigned int flag, susie::PictureInfo* info);

// On success hands out a BITMAPINFO (header and, at 8 bits, the palette) and the rows exactly
// as the file stores them; on failure hands out nothing.
int DecodeNtp(LPCSTR data, LONG_PTR length, unsigned int flag, HLOCAL* info, HLOCAL* bits,
              susie::ProgressCallback progress, LONG_PTR userValue);

} // namespace nerula::plugins
