// Arbitrary bytes into the BMP reader. Every input must either decode into a picture that
// keeps the reader's promises or fail with one of its two messages; the sanitizers catch
// every read or write outside the buffers.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "common/exception.h"
#include "image/bmp_reader.h"

namespace {

// Lower than the reader's own limit, so that a header claiming a huge RLE picture costs
// milliseconds rather than a gigabyte per input; the limit's arithmetic is the same.
constexpr std::uint64_t kFuzzMaxPixels = std::uint64_t{1} << 22;

void Check(bool promise) {
    if (!promise) {
        std::abort();
    }
}

void CheckPicture(const nerula::DecodedBitmap& bitmap) {
    Check(bitmap.width >= 0 && bitmap.height >= 0);
    Check(bitmap.pixels.size() ==
          static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height));
    Check(static_cast<std::uint64_t>(bitmap.pixels.size()) <= kFuzzMaxPixels);
    if (!bitmap.hasAlpha) {
        for (const std::uint32_t pixel : bitmap.pixels) {
            Check(pixel >> 24 == 0);
        }
    }
}

void CheckMessage(const nerula::Exception& e) {
    Check(e.Message() == u"ビットマップ画像が無効です" || e.Message() == u"ストリームからの読み取りエラー");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    try {
        CheckPicture(nerula::ReadBmpFile(file, kFuzzMaxPixels));
    } catch (const nerula::Exception& e) {
        CheckMessage(e);
    }
    try {
        nerula::ReadBmpInfoHeader(file);
        Check(size >= 54);
    } catch (const nerula::Exception& e) {
        CheckMessage(e);
        Check(size < 54);
    }
    return 0;
}
