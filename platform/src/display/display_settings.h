// How the display is set up for this run: the pixel layout and the scaling of the picture.
#pragma once

#include "display/pixel_format.h"

namespace luma {

// Chosen by LumaSetPixelFormat, else by LUMA_PIXEL_FORMAT (565 or 555), else 5-6-5.
PixelLayout chosenPixelLayout();
// Whole-number scaling of the picture in the window (LumaSetIntegerScale).
bool integerScaling();

} // namespace luma
