#include "text/text_layout.h"

namespace nerula {
namespace {

int ThreeQuartersRoundedToEven(int edge) {
    const long long triple = 3LL * edge;
    const long long quotient = triple / 4;
    const long long remainder = triple % 4;
    if (remainder > 2 || (remainder == 2 && quotient % 2 != 0)) {
        return static_cast<int>(quotient + 1);
    }
    return static_cast<int>(quotient);
}

int TextEdge(int edge, int limit) {
    return edge < limit ? ThreeQuartersRoundedToEven(edge) : edge / 2;
}

} // namespace

WindowSize TextWindowSize(int desktopRight, int desktopBottom) {
    return {TextEdge(desktopRight, 1600), TextEdge(desktopBottom, 1200)};
}

bool FitsDesktop(int windowLeft, int windowTop, WindowSize size, const DesktopBounds& desktop) {
    const long long x = static_cast<long long>(windowLeft) + size.width;
    const long long y = static_cast<long long>(windowTop) + size.height;
    return desktop.left <= x && x < desktop.right && desktop.top <= y && y < desktop.bottom;
}

int CaretScrollLines(int caretLine, int firstVisibleLine, bool centre, int visibleHeight, int lineHeight) {
    int target = firstVisibleLine;
    if (centre) {
        const int rows = lineHeight > 0 ? visibleHeight / lineHeight : 0;
        target = firstVisibleLine + rows / 2 - 1;
    }
    return caretLine - target;
}

} // namespace nerula
