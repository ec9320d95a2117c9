// The effect's parameters, described once. Every other part of the effect
// and its LV2 adapter reads the facts of a parameter from this table: the
// data model creates the parameters from it, fills the knob packet by its
// packet mappings, the editor shows and reads value names through it, the
// LV2 port table and the generated Turtle take ranges, defaults, units and
// scale points from it, and the data model answers the value names to a
// host that asks (ModuleQueries.h).
//
// Standard library only; constant data, safe to read from any thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvanta {

// The parameter identifiers. The master bypass is registered under the
// empty identifier.
constexpr const char* kParamID_Bypass = "";
constexpr const char* kParamID_Dynamic = "Dynamic";
constexpr const char* kParamID_Harmonic = "Harmonic";
constexpr const char* kParamID_OutputTrim = "OutputTrim";
constexpr const char* kParamID_Dither = "Dither";
constexpr const char* kParamID_Color = "Color";

// How a parameter holds its value and maps it to and from normalized.
enum class ETaper {
    Binary,         // bool: any normalized value above 0 is true
    Linear,         // float, linear from minimum to maximum
    LinearStepped,  // int32, linear, rounded to three decimals then truncated
};

// Which knob-packet field a parameter feeds and how its real value maps.
enum class EPacketMapping {
    None,         // not in the packet (the master bypass replaces the packet)
    Percent,      // float field = value / 100
    DecibelGain,  // float field = 10^(value / 20)
    Whole,        // int32 field = value
};
enum class EPacketField { None, Harmonic, Dynamic, OutputGain, Dither, Color };

// How the LV2 adapter exposes a parameter as a control port.
enum class EPortKind {
    Range,        // a float in [minimum, maximum]
    Toggle,       // 0 or 1: the position of the value in valueNames
    Enumeration,  // an integer in [minimum, maximum] with scale points
    Enable,       // lv2:enabled: 1 processes, 0 is the master bypass
};

// A value of a stepped parameter and the word the editor shows for it.
struct SValueName {
    int32_t value;
    const char* name;
};

struct SParameterInfo {
    const char* identifier;  // the key for host, packets, chunk and editor
    const char* name;        // the parameter's name as the host shows it
    ETaper taper;
    double minimum;
    double maximum;
    double defaultValue;
    uint32_t steps;
    bool discrete;
    const char* unit;  // "%", "dB" or "" for none
    // Stepped parameters: the word for each value, lowest value first.
    // The bypass: its false text, then its true text.
    const SValueName* valueNames;
    size_t valueNameCount;
    EPacketField packetField;
    EPacketMapping packetMapping;
    // The LV2 control port: index, symbol, name, comment and kind.
    uint32_t portIndex;
    const char* portSymbol;
    const char* portName;
    const char* portComment;
    EPortKind portKind;
    // What the parameter does, for a host that measures the effect
    // (ModuleQueries.h): "blend", "drive", "character" or "" for none.
    const char* role;
};

// The parameters in the data model's index order (the bypass first).
constexpr size_t kParameterCount = 6;
const SParameterInfo* Parameters();
// The parameter with that identifier, or null.
const SParameterInfo* FindParameter(const char* identifier);
// The parameter behind LV2 control port index, or null.
const SParameterInfo* ParameterOfPort(uint32_t portIndex);

// The normalized value of a real value, through the parameter's taper.
double NormalizedOf(const SParameterInfo& parameter, double value);
// The real value of a normalized one, through the parameter's taper (the
// stepped taper's rounding included).
double RealOf(const SParameterInfo& parameter, double normalized);

// The word for a stepped parameter's value, or null when it has none.
const char* ValueName(const SParameterInfo& parameter, int32_t value);
// The value a stepped parameter's word stands for; false when it has no such
// word (the comparison is exact).
bool ValueOfName(const SParameterInfo& parameter, const char* name, int32_t* value);

// The LV2 control port's value for a real parameter value: a toggle's port
// holds the value's position among its value names, the enable port holds 1
// while processing (bypass false), every other port the value itself.
double PortValueOf(const SParameterInfo& parameter, double value);
}  // namespace Orvanta
