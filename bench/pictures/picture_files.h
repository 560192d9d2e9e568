#pragma once
// The large test picture, written as a 24-bit BMP and as an NTP file row by row, so that
// the program that writes them never holds the picture in memory.

#include <string>

namespace nerula::bench {

inline constexpr int kPictureWidth = 8000;
inline constexpr int kPictureHeight = 6000;

// The files that the open benchmark reads, inside one folder.
struct PictureFiles {
    std::wstring bmp;
    std::wstring ntp;
    std::wstring pluginFolder; // holds only the NTP plug-in
};

PictureFiles PictureFilesIn(const std::wstring& folder);

// Writes both files and copies the NTP plug-in into its own folder.
void WritePictureFiles(const std::wstring& folder, const std::wstring& ntpPlugin);

} // namespace nerula::bench
