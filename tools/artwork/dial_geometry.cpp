#include "dial_geometry.h"

#include <cmath>

namespace artwork {

namespace {
constexpr double kPi = 3.14159265358979323846;

double CentreX(const Orvanta::SOrvanta_EditorRect& r) { return r.left + r.width / 2.0; }
double CentreY(const Orvanta::SOrvanta_EditorRect& r) { return r.top + r.height / 2.0; }
}  // namespace

double DialAngle(int frame, int frames) {
    if (frames < 2) return kDialStartDegrees;
    const double value = static_cast<double>(frame) / (frames - 1);
    return kDialStartDegrees + value * (kDialEndDegrees - kDialStartDegrees);
}

double AngleToward(const Orvanta::SOrvanta_EditorRect& knob, double x, double y) {
    const double dx = x - CentreX(knob);
    const double up = CentreY(knob) - y;
    return std::atan2(dx, up) * 180.0 / kPi;
}

std::vector<double> DitherSwitchAngles() {
    const auto& knob = Orvanta::kEditorRect_DitherKnob;
    const auto& off = Orvanta::kEditorRect_DitherOffButton;
    const auto& on = Orvanta::kEditorRect_DitherOnButton;
    const double offAngle = AngleToward(knob, CentreX(off), CentreY(off));
    const double onAngle = AngleToward(knob, CentreX(on), CentreY(on));
    return {offAngle, (offAngle + onAngle) / 2.0, onAngle};
}

std::vector<double> ColorSwitchAngles() {
    std::vector<double> angles;
    for (const auto& button : Orvanta::kEditorRect_ColorButtons) {
        angles.push_back(AngleToward(Orvanta::kEditorRect_ColorKnob, button.left,
                                     CentreY(button)));
    }
    return angles;
}

}  // namespace artwork
