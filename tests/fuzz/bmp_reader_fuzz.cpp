// Arbitrary bytes into the BMP reader, as a file and as the two pieces of a packed DIB that
// an image plug-in hands over. Every input must either decode into a picture that keeps
// the reader's promises or fail with one of its two messages; the sanitizers catch every
// read or write outside the buffers.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

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
    if (size >= 14) {
        // The pieces in buffers of their own, split where the file header says the pixels
        // start (or anywhere else the fuzzer makes it say), so that a read from one into
        // the other is caught.
        const std::size_t split = 14 + (data[10] | data[11] << 8) % (size - 14 + 1);
        const std::vector<std::uint8_t> info(data + 14, data + split);
        const std::vector<std::uint8_t> bits(data + split, data + size);
        nerula::DecodedBitmap bitmap;
        try {
            bitmap.hasAlpha = nerula::ReadDibInto(
                info, bits,
                [&bitmap](std::int32_t width, std::int32_t height) {
                    bitmap.width = width;
                    bitmap.height = height;
                    bitmap.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
                    return std::span<std::uint32_t>(bitmap.pixels);
                },
                kFuzzMaxPixels);
            CheckPicture(bitmap);
        } catch (const nerula::Exception& e) {
            CheckMessage(e);
        }
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
