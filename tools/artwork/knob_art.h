// Knob filmstrips: every frame is a 60 x 60 picture of the knob with its
// pointer at one angle, frames stacked top to bottom, corners transparent so
// the panel (and its scale) shows around the knob.
#pragma once

#include "drawing.h"

#include <vector>

namespace artwork {

// The continuous dial: a knurled skirt under a spun-metal cap with an amber
// pointer line; `frames` frames from kDialStartDegrees to kDialEndDegrees.
Image PaintDialStrip(int frames);

// A pointer ("chicken-head") switch: one frame per angle in `angles`.
Image PaintSwitchStrip(const std::vector<double>& angles);

}  // namespace artwork
