#include "effect/model/Orvanta_ParameterTable.h"

#include <cmath>
#include <cstring>

#include "effect/Orvanta_Defs.h"

namespace Orvanta {

namespace {

constexpr SValueName kBypassTexts[] = {{0, "bypass"}, {1, "on"}};
constexpr SValueName kDitherNames[] = {{kDitherOff, "Off"}, {kDitherOn, "On"}};
constexpr SValueName kColorNames[] = {{1, "Silver"}, {2, "Gold"}, {3, "Rich"}, {4, "Fat"}, {5, "Deep"}};
static_assert(sizeof kColorNames / sizeof kColorNames[0] == size_t(kColorMax - kColorMin + 1),
              "one name per colour type of the packet");

constexpr SParameterInfo kParameters[kParameterCount] = {
    {kParamID_Bypass, "Master Bypass", ETaper::Binary, 0.0, 1.0, 0.0, 2, true, "", kBypassTexts, 2,
     EPacketField::None, EPacketMapping::None, 5, "enabled", "Enabled",
     "On processes the signal; off is the master bypass, which passes the input through a plain delay of the "
     "same latency.",
     EPortKind::Enable, ""},
    {kParamID_Dynamic, "Dynamic", ETaper::Linear, 0.0, 100.0, 0.0, 400, false, "%", nullptr, 0,
     EPacketField::Dynamic, EPacketMapping::Percent, 1, "Dynamic", "Dynamic",
     "Strength of the signal-steered delay-line pass; its share of the output grows with the square of this "
     "value.",
     EPortKind::Range, "drive"},
    {kParamID_Harmonic, "Harmonic", ETaper::Linear, 0.0, 100.0, 0.0, 400, false, "%", nullptr, 0,
     EPacketField::Harmonic, EPacketMapping::Percent, 0, "Harmonic", "Harmonic",
     "How much of the harmonic colour signal is blended with the dry input: 0 % leaves the input dry, 100 % "
     "gives the full colour.",
     EPortKind::Range, "blend"},
    {kParamID_OutputTrim, "OutputTrim", ETaper::Linear, -6.0, 6.0, 0.0, 60, false, "dB", nullptr, 0,
     EPacketField::OutputGain, EPacketMapping::DecibelGain, 2, "OutputTrim", "OutputTrim",
     "Output gain in decibels.", EPortKind::Range, ""},
    {kParamID_Dither, "Dither", ETaper::LinearStepped, kDitherOff, kDitherOn, kDitherOff, 2, true, "",
     kDitherNames, 2, EPacketField::Dither, EPacketMapping::Whole, 3, "Dither", "Dither",
     "On adds low-passed noise to the steering of the delay-line tap, which brightens the colour.",
     EPortKind::Toggle, ""},
    {kParamID_Color, "Color", ETaper::LinearStepped, kColorMin, kColorMax, 2, 5, true, "", kColorNames, 5,
     EPacketField::Color, EPacketMapping::Whole, 4, "Color", "Color",
     "The colour type: the character of the harmonics the effect adds.", EPortKind::Enumeration,
     "character"},
};

}  // namespace

const SParameterInfo* Parameters() { return kParameters; }

const SParameterInfo* FindParameter(const char* identifier) {
    if (!identifier) return nullptr;
    for (const SParameterInfo& parameter : kParameters)
        if (std::strcmp(parameter.identifier, identifier) == 0) return &parameter;
    return nullptr;
}

const SParameterInfo* ParameterOfPort(uint32_t portIndex) {
    for (const SParameterInfo& parameter : kParameters)
        if (parameter.portIndex == portIndex) return &parameter;
    return nullptr;
}

double NormalizedOf(const SParameterInfo& parameter, double value) {
    if (parameter.taper == ETaper::Binary) return value != 0.0 ? 1.0 : 0.0;
    const double limited = value < parameter.minimum ? parameter.minimum
                                                     : (value > parameter.maximum ? parameter.maximum : value);
    return (limited - parameter.minimum) / (parameter.maximum - parameter.minimum);
}

double RealOf(const SParameterInfo& parameter, double normalized) {
    if (parameter.taper == ETaper::Binary) return normalized > 0.0 ? 1.0 : 0.0;
    double real = parameter.minimum + (parameter.maximum - parameter.minimum) * normalized;
    if (parameter.taper == ETaper::LinearStepped) real = std::trunc(std::floor(real * 1000.0 + 0.5) / 1000.0);
    return real < parameter.minimum ? parameter.minimum : (real > parameter.maximum ? parameter.maximum : real);
}

const char* ValueName(const SParameterInfo& parameter, int32_t value) {
    for (size_t i = 0; i < parameter.valueNameCount; ++i)
        if (parameter.valueNames[i].value == value) return parameter.valueNames[i].name;
    return nullptr;
}

bool ValueOfName(const SParameterInfo& parameter, const char* name, int32_t* value) {
    for (size_t i = 0; i < parameter.valueNameCount; ++i)
        if (std::strcmp(parameter.valueNames[i].name, name) == 0) return *value = parameter.valueNames[i].value, true;
    return false;
}

double PortValueOf(const SParameterInfo& parameter, double value) {
    switch (parameter.portKind) {
        case EPortKind::Toggle:
            for (size_t i = 0; i < parameter.valueNameCount; ++i)
                if (parameter.valueNames[i].value == int32_t(value)) return double(i);
            return 0.0;
        case EPortKind::Enable: return value != 0.0 ? 0.0 : 1.0;
        case EPortKind::Range:
        case EPortKind::Enumeration: break;
    }
    return value;
}

}  // namespace Orvanta
