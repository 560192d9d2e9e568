#pragma once
// The binary interface of Susie import plug-ins, shared by the program and the test
// plug-ins. The classic 32-bit plug-ins (*.spi) are stdcall with 32-bit lengths, user
// value and handles; 64-bit plug-ins (*.sph) widen those to pointer size, and the natural
// layout of the picture-information record then puts its handle at offset 24 in both.

#include <cstddef>

#include <windows.h>

namespace nerula::susie {

struct PictureInfo {
    LONG left;
    LONG top;
    LONG width;
    LONG height;
    WORD horizontalDensity;
    WORD verticalDensity;
    SHORT colorDepth;
    HLOCAL textInfo;
};
static_assert(offsetof(PictureInfo, width) == 8 && offsetof(PictureInfo, height) == 12);
static_assert(offsetof(PictureInfo, colorDepth) == 20 && offsetof(PictureInfo, textInfo) == 24);
static_assert(sizeof(PictureInfo) == 24 + sizeof(void*));

using ProgressCallback = int(WINAPI*)(int done, int total, LONG_PTR userValue);

using GetPluginInfoFunction = int(WINAPI*)(int infoNumber, LPSTR buffer, int bufferLength);
using GetPictureFunction = int(WINAPI*)(LPCSTR data, LONG_PTR length, unsigned int flag, HLOCAL* info,
                                        HLOCAL* bits, ProgressCallback progress, LONG_PTR userValue);
using GetPictureInfoFunction = int(WINAPI*)(LPCSTR data, LONG_PTR length, unsigned int flag,
                                            PictureInfo* info);

// The file names of the plug-ins that this build can load.
inline constexpr const wchar_t* kLibraryPattern = sizeof(void*) == 8 ? L"*.sph" : L"*.spi";

// GetPluginInfo's info numbers.
inline constexpr int kApiVersion = 0;
inline constexpr int kFilter = 2;
inline constexpr int kDescription = 3;
// The one API version that an import plug-in reports.
inline constexpr const char* kImportApiVersion = "00IN";
// GetPicture and GetPictureInfo take the file from memory.
inline constexpr unsigned int kDataInMemory = 1;

} // namespace nerula::susie
