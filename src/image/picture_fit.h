#pragma once
// Where a picture is drawn in its control when it is fitted to the window: shrunk with its
// aspect ratio kept when larger than the control, never enlarged, and centred.

namespace nerula {

struct PictureRect {
    int left;
    int top;
    int width;
    int height;
};

PictureRect FitPicture(int pictureWidth, int pictureHeight, int controlWidth, int controlHeight);

} // namespace nerula
