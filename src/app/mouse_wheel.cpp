#include "app/mouse_wheel.h"

#include "image/scroll_axis.h"

namespace nerula {

int WheelScrollDistance(WheelAxis axis, std::int16_t delta) {
    const int step = ScrollAxis::kLineIncrement;
    if (axis == WheelAxis::Vertical) {
        return delta > 0 ? -step : step;
    }
    return delta > 0 ? step : -step;
}

} // namespace nerula
