#pragma once
// GetPicture and GetPictureInfo for NTP files, shared by the plug-ins that decode them.

#include "image/win/susie_plugin_abi.h"

namespace nerula::plugins {

// The record's text information is a block of its own, which the caller is to free; its
// handle, in hexadecimal, is also left in the environment variable named here.
inline constexpr char kTextInfoVariable[] = "NERULA_TEST_NTP_TEXT_INFO";
int DescribeNtp(LPCSTR data, LONG_PTR length, unsigned int flag, susie::PictureInfo* info);

// On success hands out a BITMAPINFO (header and, at 8 bits, the palette) and the rows exactly
// as the file stores them; on failure hands out nothing.
int DecodeNtp(LPCSTR data, LONG_PTR length, unsigned int flag, HLOCAL* info, HLOCAL* bits,
              susie::ProgressCallback progress, LONG_PTR userValue);

} // namespace nerula::plugins
