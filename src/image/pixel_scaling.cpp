#include "image/pixel_scaling.h"

#include <algorithm>
#include <array>

namespace nerula {
namespace {

// The source range [first, last) that destination index i of n covers, out of total.
struct Span {
    int first;
    int last;
};

std::vector<Span> Spans(int total, int n) {
    std::vector<Span> spans(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const auto first = static_cast<int>(static_cast<long long>(i) * total / n);
        const auto last = static_cast<int>(static_cast<long long>(i + 1) * total / n);
        spans[static_cast<std::size_t>(i)] = {first, std::max(last, first + 1)};
    }
    return spans;
}

} // namespace

std::vector<std::uint32_t> ShrinkPixels(std::span<const std::uint32_t> source, int sourceWidth,
                                        int sourceHeight, int width, int height) {
    const std::vector<Span> columns = Spans(sourceWidth, width);
    const std::vector<Span> rows = Spans(sourceHeight, height);
    std::vector<std::uint32_t> result(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    // Sums of the four bytes per destination column for the destination row in progress;
    // 64 bits hold any picture that fits in memory.
    std::vector<std::array<std::uint64_t, 4>> sums(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), std::array<std::uint64_t, 4>{});
        const Span rowSpan = rows[static_cast<std::size_t>(y)];
        for (int sy = rowSpan.first; sy < rowSpan.last; ++sy) {
            const std::uint32_t* row =
                source.data() + static_cast<std::size_t>(sy) * static_cast<std::size_t>(sourceWidth);
            for (int x = 0; x < width; ++x) {
                const Span columnSpan = columns[static_cast<std::size_t>(x)];
                std::array<std::uint64_t, 4>& sum = sums[static_cast<std::size_t>(x)];
                for (int sx = columnSpan.first; sx < columnSpan.last; ++sx) {
                    const std::uint32_t pixel = row[sx];
                    sum[0] += pixel & 0xFF;
                    sum[1] += (pixel >> 8) & 0xFF;
                    sum[2] += (pixel >> 16) & 0xFF;
                    sum[3] += pixel >> 24;
                }
            }
        }
        const auto rowCount = static_cast<std::uint64_t>(rowSpan.last - rowSpan.first);
        std::uint32_t* out = result.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            const Span columnSpan = columns[static_cast<std::size_t>(x)];
            const std::uint64_t count =
                rowCount * static_cast<std::uint64_t>(columnSpan.last - columnSpan.first);
            const std::array<std::uint64_t, 4>& sum = sums[static_cast<std::size_t>(x)];
            std::uint32_t pixel = 0;
            for (int channel = 0; channel < 4; ++channel) {
                const std::uint64_t average = (sum[static_cast<std::size_t>(channel)] + count / 2) / count;
                pixel |= static_cast<std::uint32_t>(average) << (8 * channel);
            }
            out[x] = pixel;
        }
    }
    return result;
}

} // namespace nerula
