#pragma once
// The two ways reading a BMP file fails, in the words the user sees.

#include "common/exception.h"

namespace nerula {

// The bytes are not a BMP file, or a header contradicts itself or the format.
[[noreturn]] inline void ThrowInvalidBitmap() {
    throw Exception(u"ビットマップ画像が無効です");
}

// The file ends before the data that its (valid) headers call for.
[[noreturn]] inline void ThrowStreamReadError() {
    throw Exception(u"ストリームからの読み取りエラー");
}

} // namespace nerula
