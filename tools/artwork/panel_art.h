// The editor's background panel: graphite plate, product and maker names,
// knob wells with their scales, control legends, and recessed bezels for the
// five value displays (whose insides stay plain black for the toolkit's text).
#pragma once

#include "drawing.h"

namespace artwork {

constexpr int kPanelWidth = 500;
constexpr int kPanelHeight = 175;

Image PaintPanel();

}  // namespace artwork
