// The ports of the two LV2 plug-ins and how a control port's float becomes
// a parameter value. The control ports, their symbols, ranges and kinds come
// from the effect's parameter table, from which the Turtle is generated too;
// the latency output and the audio ports follow them (ttl/orvanta.ttl.in):
//
//   0 .. 5   the control inputs, one per parameter (the bypass as lv2:enabled)
//   6        latency (output, frames)
//   7 .. 7+channels-1 audio inputs, then the audio outputs
//
// The control ports come first so that both plug-ins share one table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "effect/model/Orvanta_ParameterTable.h"

namespace Lv2Ports {

// The control inputs are the parameter table's ports 0 .. 5; the latency
// output and the audio ports follow them.
constexpr size_t kControlInputCount = Orvanta::kParameterCount;
enum Port : uint32_t {
    kLatency = uint32_t(kControlInputCount),
    kFirstAudioPort = kLatency + 1,
};

// The audio port indices of a plug-in with channels channels per direction.
constexpr uint32_t AudioInputPort(int32_t channel) { return kFirstAudioPort + uint32_t(channel); }
constexpr uint32_t AudioOutputPort(int32_t channels, int32_t channel) {
    return kFirstAudioPort + uint32_t(channels) + uint32_t(channel);
}
constexpr uint32_t PortCount(int32_t channels) { return kFirstAudioPort + 2 * uint32_t(channels); }

// A parameter value of the type the parameter holds, ready for its typed
// setter (which goes through the host's automation road).
struct ParameterValue {
    enum class Type { Float, Int32, Bool };
    Type type = Type::Float;
    float floatValue = 0.0f;
    int32_t int32Value = 0;
    bool boolValue = false;
};

// How a control port's float maps onto its parameter.
enum class Mapping {
    Continuous,  // the float, limited to [minimum, maximum]
    Integer,     // rounded to the nearest integer in [minimum, maximum]
    Switch,      // a toggle: above 0 gives onValue, else offValue (int32)
    Enable,      // a toggle read as "processing": above 0 is bypass off (bool)
};

struct ControlInput {
    uint32_t port;
    const char* symbol;
    const char* parameterID;
    Mapping mapping;
    float minimum;  // the port's range; Continuous and Integer limit to it
    float maximum;
    int32_t offValue;  // Switch only
    int32_t onValue;
};

// The six control inputs, in port order, as the parameter table gives them.
// Built at the first call; callers make it before the audio thread runs.
const ControlInput* ControlInputs();

// The parameter value for a float a host wrote to the port. False for a NaN,
// which leaves the parameter as it is; every other float (infinities
// included) gives a value in range.
bool ToParameterValue(const ControlInput& input, float portValue, ParameterValue* out);

// The same value as the parameter's normalized value (through the
// parameter table's taper), as a host hands it to the data model. False for
// a NaN.
bool ToNormalizedValue(const ControlInput& input, float portValue, double* normalized);
// The port's float for a normalized value of its parameter, in the port's
// own units: percent, dB or the colour's number; 0 or 1 for the toggles
// (the Dither switch's position among its values; the enable port is 1
// when the bypass is off).
float ToPortValue(const ControlInput& input, double normalized);

}  // namespace Lv2Ports
