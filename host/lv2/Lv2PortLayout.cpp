#include "host/lv2/Lv2PortLayout.h"

#include <cmath>

#include "effect/Orvanta_Defs.h"

namespace Lv2Ports {

namespace {

using namespace Orvanta;

// The enable port names no identifier: it drives whichever parameter the
// data model answers as its master bypass.
const ControlInput kControlInputs[kControlInputCount] = {
    {kHarmonic, "Harmonic", kParamID_Harmonic, Mapping::Continuous, kPercentParamMin, kPercentParamMax, 0, 0},
    {kDynamic, "Dynamic", kParamID_Dynamic, Mapping::Continuous, kPercentParamMin, kPercentParamMax, 0, 0},
    {kOutputTrim, "OutputTrim", kParamID_OutputTrim, Mapping::Continuous, kOutputTrimMinDB, kOutputTrimMaxDB, 0, 0},
    {kDither, "Dither", kParamID_Dither, Mapping::Switch, 0.0f, 1.0f, kDitherOff, kDitherOn},
    {kColor, "Color", kParamID_Color, Mapping::Integer, float(kColorMin), float(kColorMax), 0, 0},
    {kEnabled, "enabled", nullptr, Mapping::Enable, 0.0f, 1.0f, 0, 0},
};

// Limits before any conversion, so that no float reaches an integer
// conversion out of range.
float Limit(float value, float minimum, float maximum) {
    return value < minimum ? minimum : (value > maximum ? maximum : value);
}

}  // namespace

const ControlInput* ControlInputs() { return kControlInputs; }

bool ToParameterValue(const ControlInput& input, float portValue, ParameterValue* out) {
    if (std::isnan(portValue)) return false;
    // LV2 reads a toggle as on for every value above zero.
    const bool on = portValue > 0.0f;
    switch (input.mapping) {
        case Mapping::Continuous:
            out->type = ParameterValue::Type::Float;
            out->floatValue = Limit(portValue, input.minimum, input.maximum);
            return true;
        case Mapping::Integer:
            out->type = ParameterValue::Type::Int32;
            out->int32Value = int32_t(std::lround(Limit(portValue, input.minimum, input.maximum)));
            return true;
        case Mapping::Switch:
            out->type = ParameterValue::Type::Int32;
            out->int32Value = on ? input.onValue : input.offValue;
            return true;
        case Mapping::Enable:
            out->type = ParameterValue::Type::Bool;
            out->boolValue = !on;  // the bypass parameter: true bypasses
            return true;
    }
    return false;
}

}  // namespace Lv2Ports
