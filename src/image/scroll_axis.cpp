#include "image/scroll_axis.h"

#include <algorithm>

namespace nerula {

void ScrollAxis::SetSizes(int contentSize, int clientSize) {
    contentSize_ = std::max(contentSize, 0);
    clientSize_ = std::max(clientSize, 0);
    position_ = std::clamp(position_, 0, Range());
}

int ScrollAxis::ScrollBy(int delta) {
    const int old = position_;
    position_ = std::clamp(position_ + delta, 0, Range());
    return position_ - old;
}

} // namespace nerula
