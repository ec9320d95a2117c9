// Where the knobs point. The continuous dial sweeps 270 degrees; the two
// switches aim their pointer at the buttons beside them, so that the panel
// needs no printed positions: the buttons are the marks.
#pragma once

#include "effect/Orvanta_Defs.h"

#include <vector>

namespace artwork {

// Angles in degrees, clockwise from straight up.
constexpr double kDialStartDegrees = -135.0;
constexpr double kDialEndDegrees = 135.0;
constexpr int kDialFrames = 101;  // one frame per percent; frame 50 is the centre

// Pointer angle of frame `frame` of a `frames`-frame continuous dial.
double DialAngle(int frame, int frames);

// Angle from the centre of `knob` toward the panel point (x, y).
double AngleToward(const Orvanta::SOrvanta_EditorRect& knob, double x, double y);

// Dither switch: off aims at the dither-off button, on at the dither-on
// button, the middle (in-between) frame halfway.
std::vector<double> DitherSwitchAngles();

// Colour selector: one position per colour type, aiming at the near edge of
// that type's button.
std::vector<double> ColorSwitchAngles();

}  // namespace artwork
