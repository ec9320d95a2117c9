// Button bitmaps: each holds two images of the button's size, released on
// top and pressed below, as a kick button draws them.
#pragma once

#include "drawing.h"

#include <string>

namespace artwork {

// A colour-type button: a small dark key with the type's name in its tint.
Image PaintColorTypeButton(int width, int height, const std::string& name, const Rgb& tint);

// The dither keys carry the usual power marks: a ring for off, a bar for on.
Image PaintDitherOffButton(int width, int height);
Image PaintDitherOnButton(int width, int height);

}  // namespace artwork
