#pragma once
// What a wheel notch over the main window does to the picture's scroll box: one line
// increment per message, whatever the size of the delta.

#include <cstdint>

namespace nerula {

enum class WheelAxis { Vertical, Horizontal };

// The signed scroll distance in pixels for a wheel message with the given delta (the
// high word of wParam). Vertical: up when the delta is positive. Horizontal: right.
int WheelScrollDistance(WheelAxis axis, std::int16_t delta);

} // namespace nerula
