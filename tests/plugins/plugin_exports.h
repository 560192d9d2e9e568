#pragma once
// The functions that a test plug-in exports, each declared once with the calling convention
// and types of the interface the program loads them through. The .def files export them
// under these plain names, which stdcall would otherwise decorate on i686.

#include <type_traits>

#include "image/win/susie_plugin_abi.h"

extern "C" {
int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength);
int WINAPI GetPicture(LPCSTR data, LONG_PTR length, unsigned int flag, HLOCAL* info, HLOCAL* bits,
                      nerula::susie::ProgressCallback progress, LONG_PTR userValue);
int WINAPI GetPictureInfo(LPCSTR data, LONG_PTR length, unsigned int flag, nerula::susie::PictureInfo* info);
// dw is either a file handle, in which case only its low 16 bits may be set, or the first
// bytes of the file (at least 2 KiB, padded with zeros).
int WINAPI IsSupported(LPCSTR fileName, void* dw);
}

static_assert(std::is_same_v<decltype(&GetPluginInfo), nerula::susie::GetPluginInfoFunction>);
static_assert(std::is_same_v<decltype(&GetPicture), nerula::susie::GetPictureFunction>);
static_assert(std::is_same_v<decltype(&GetPictureInfo), nerula::susie::GetPictureInfoFunction>);
