#include "text/code_page_detector.h"
namespace nerula {
int DetectCodePage(std::span<const std::uint8_t> bytes) {
    int high = 0, esc = 0, a4 = 0;
    for (auto b : bytes) {
        if (b == 0x1B)
            ++esc;
        if (b >= 0x80)
            ++high;
        if (b == 0xA4 || b == 0xA5)
            ++a4;
    }
    if (esc)
        return 50220;
    if (!high)
        return -1;
    if (bytes.size() > 2 && bytes[0] == 0xE3)
        return 65001;
    if (a4 * 4 > high)
        return 51932;
    return 932;
}
} // namespace nerula
