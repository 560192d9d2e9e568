#include "image/picture_fit.h"

namespace nerula {

PictureRect FitPicture(int pictureWidth, int pictureHeight, int controlWidth, int controlHeight) {
    int width = pictureWidth;
    int height = pictureHeight;
    if ((pictureWidth > controlWidth || pictureHeight > controlHeight) && pictureHeight > 0 &&
        pictureWidth > 0) {
        const double aspect = static_cast<double>(pictureWidth) / pictureHeight;
        if (pictureWidth > pictureHeight) {
            width = controlWidth;
            height = static_cast<int>(controlWidth / aspect);
            if (height > controlHeight) {
                height = controlHeight;
                width = static_cast<int>(controlHeight * aspect);
            }
        } else {
            height = controlHeight;
            width = static_cast<int>(controlHeight * aspect);
            if (width > controlWidth) {
                width = controlWidth;
                height = static_cast<int>(controlWidth / aspect);
            }
        }
    }
    return {(controlWidth - width) / 2, (controlHeight - height) / 2, width, height};
}

} // namespace nerula
