#pragma once
// One axis of a scroll box: how far its content can move and where it stands.

namespace nerula {

class ScrollAxis {
public:
    static constexpr int kLineIncrement = 8; // pixels per arrow click or wheel notch

    void SetSizes(int contentSize, int clientSize);
    // Moves by delta pixels, kept within 0..Range(); returns the distance actually moved.
    int ScrollBy(int delta);
    int ScrollTo(int position) { return ScrollBy(position - position_); }

    int Position() const noexcept { return position_; }
    int Range() const noexcept { return contentSize_ > clientSize_ ? contentSize_ - clientSize_ : 0; }
    int ContentSize() const noexcept { return contentSize_; }
    int ClientSize() const noexcept { return clientSize_; }

private:
    int contentSize_ = 0;
    int clientSize_ = 0;
    int position_ = 0;
};

} // namespace nerula
