#pragma once
// The answers of GetPicture and GetPictureInfo that the test plug-ins give.

namespace nerula::plugins {

inline constexpr int kSuccess = 0;
inline constexpr int kNotImplemented = -1;
inline constexpr int kAborted = 1;
inline constexpr int kUnknownFormat = 2;
inline constexpr int kBrokenData = 3;
inline constexpr int kOutOfMemory = 4;

} // namespace nerula::plugins
