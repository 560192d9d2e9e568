#pragma once
// The liar plug-in reads any file and always succeeds, but the BITMAPINFO it hands out
// does not fit the memory it hands out with it. The pixels are always 16 x 16; the first
// byte of the file picks the lie (an empty file or any other byte: kTaller).

namespace nerula::liar {

inline constexpr int kTrueSize = 16;
// 24 bits per pixel; the header claims 65536 rows.
inline constexpr char kTaller = 'H';
// 24 bits per pixel; the header claims 65536 columns.
inline constexpr char kWider = 'W';
// 24 bits per pixel; the header tells the true size but a biSizeImage of 64 MiB.
inline constexpr char kSizeImage = 'S';
// 24 bits per pixel and the true size, in an info block of 16 bytes: the start of a
// BITMAPINFOHEADER (biSize 40 and on to biBitCount) with the rest cut off.
inline constexpr char kInfoCut = 'I';
// 8 bits per pixel and biClrUsed 256, but the info block ends with the header, without
// the palette.
inline constexpr char kPaletteMissing = 'P';

} // namespace nerula::liar
