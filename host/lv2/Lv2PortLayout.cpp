#include "host/lv2/Lv2PortLayout.h"

#include <cmath>

#include "effect/model/Orvanta_ParameterTable.h"

namespace Lv2Ports {

namespace {

using namespace Orvanta;

Mapping MappingOf(EPortKind kind) {
    switch (kind) {
        case EPortKind::Range: return Mapping::Continuous;
        case EPortKind::Enumeration: return Mapping::Integer;
        case EPortKind::Toggle: return Mapping::Switch;
        case EPortKind::Enable: return Mapping::Enable;
    }
    return Mapping::Continuous;
}

// The control inputs in port order, from the parameter table. The enable
// port names no identifier: it drives whichever parameter the data model
// answers as its master bypass.
struct ControlInputTable {
    ControlInput inputs[kControlInputCount];
    ControlInputTable() {
        for (uint32_t port = 0; port < kControlInputCount; ++port) {
            const SParameterInfo& parameter = *ParameterOfPort(port);
            ControlInput& input = inputs[port];
            input.port = port;
            input.symbol = parameter.portSymbol;
            input.mapping = MappingOf(parameter.portKind);
            input.parameterID = input.mapping == Mapping::Enable ? nullptr : parameter.identifier;
            const bool toggle = input.mapping == Mapping::Switch || input.mapping == Mapping::Enable;
            input.minimum = toggle ? 0.0f : float(parameter.minimum);
            input.maximum = toggle ? 1.0f : float(parameter.maximum);
            input.offValue = input.mapping == Mapping::Switch ? parameter.valueNames[0].value : 0;
            input.onValue = input.mapping == Mapping::Switch ? parameter.valueNames[1].value : 0;
        }
    }
};

// Limits before any conversion, so that no float reaches an integer
// conversion out of range.
float Limit(float value, float minimum, float maximum) {
    return value < minimum ? minimum : (value > maximum ? maximum : value);
}

}  // namespace

const ControlInput* ControlInputs() {
    static const ControlInputTable table;
    return table.inputs;
}

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

bool ToNormalizedValue(const ControlInput& input, float portValue, double* normalized) {
    ParameterValue value;
    if (!ToParameterValue(input, portValue, &value)) return false;
    double real = 0.0;
    switch (value.type) {
        case ParameterValue::Type::Float: real = double(value.floatValue); break;
        case ParameterValue::Type::Int32: real = double(value.int32Value); break;
        case ParameterValue::Type::Bool: real = value.boolValue ? 1.0 : 0.0; break;
    }
    *normalized = Orvanta::NormalizedOf(*Orvanta::ParameterOfPort(input.port), real);
    return true;
}

float ToPortValue(const ControlInput& input, double normalized) {
    const Orvanta::SParameterInfo& parameter = *Orvanta::ParameterOfPort(input.port);
    return float(Orvanta::PortValueOf(parameter, Orvanta::RealOf(parameter, normalized)));
}

}  // namespace Lv2Ports
