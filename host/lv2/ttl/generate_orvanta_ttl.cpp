// Writes orvanta.ttl from its template, with the control ports (indices 0
// to 6, the same in both plug-ins) generated from the effect's parameter
// table: ranges, defaults, units and scale points are never written by
// hand. Runs at build time:
//   generate_orvanta_ttl <template> <output>
// The template holds the line marker kPortsMarker where the ports go.
// Exit 0 on success, 1 when a file cannot be read or written.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"

using namespace Orvanta;

namespace {

constexpr const char* kPortsMarker = "@ORVANTA_LV2_CONTROL_PORTS@";

// Numbers as Turtle reads them: integers for the switches, one decimal for
// the continuous ranges.
std::string Decimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}
std::string Whole(double value) { return std::to_string(static_cast<long>(value)); }

std::string UnitOf(const SParameterInfo& parameter) {
    const std::string unit = parameter.unit;
    if (unit == "%") return "units:pc";
    if (unit == "dB") return "units:db";
    return "";
}

void ScalePoints(std::ostream& out, const SParameterInfo& parameter) {
    out << " ;\n        lv2:scalePoint ";
    for (size_t i = 0; i < parameter.valueNameCount; ++i) {
        // A toggle's scale points are its port values 0 and 1, an
        // enumeration's the parameter's own values.
        const long value = parameter.portKind == EPortKind::Toggle ? long(i) : long(parameter.valueNames[i].value);
        out << (i ? " , " : "") << "[\n            rdfs:label \"" << parameter.valueNames[i].name
            << "\" ;\n            rdf:value " << value << "\n        ]";
    }
}

void ControlPort(std::ostream& out, const SParameterInfo& parameter) {
    out << "[\n        a lv2:InputPort , lv2:ControlPort ;\n"
        << "        lv2:index " << parameter.portIndex << " ;\n"
        << "        lv2:symbol \"" << parameter.portSymbol << "\" ;\n"
        << "        lv2:name \"" << parameter.portName << "\" ;\n"
        << "        rdfs:comment \"" << parameter.portComment << "\" ;\n";
    switch (parameter.portKind) {
        case EPortKind::Range:
            out << "        lv2:default " << Decimal(parameter.defaultValue) << " ;\n"
                << "        lv2:minimum " << Decimal(parameter.minimum) << " ;\n"
                << "        lv2:maximum " << Decimal(parameter.maximum);
            if (!UnitOf(parameter).empty()) out << " ;\n        units:unit " << UnitOf(parameter);
            break;
        case EPortKind::Toggle: {
            size_t defaultPosition = 0;
            for (size_t i = 0; i < parameter.valueNameCount; ++i)
                if (parameter.valueNames[i].value == long(parameter.defaultValue)) defaultPosition = i;
            out << "        lv2:portProperty lv2:toggled ;\n"
                << "        lv2:default " << defaultPosition << " ;\n"
                << "        lv2:minimum 0 ;\n        lv2:maximum 1";
            ScalePoints(out, parameter);
            break;
        }
        case EPortKind::Enumeration:
            out << "        lv2:portProperty lv2:integer , lv2:enumeration ;\n"
                << "        lv2:default " << Whole(parameter.defaultValue) << " ;\n"
                << "        lv2:minimum " << Whole(parameter.minimum) << " ;\n"
                << "        lv2:maximum " << Whole(parameter.maximum);
            ScalePoints(out, parameter);
            break;
        case EPortKind::Enable:
            // Processing is the bypass parameter's false value.
            out << "        lv2:designation lv2:enabled ;\n"
                << "        lv2:portProperty lv2:toggled ;\n"
                << "        lv2:default " << (parameter.defaultValue != 0.0 ? 0 : 1) << " ;\n"
                << "        lv2:minimum 0 ;\n        lv2:maximum 1";
            break;
    }
    out << "\n    ]";
}

// The output port reporting the signal delay at the current rate.
void LatencyPort(std::ostream& out, uint32_t index) {
    std::string perRate;
    int32_t longest = 0;
    for (int i = 0; i < kNumSampleRates; i += 2) {
        const int32_t delay = SignalDelaySamples(kSupportedSampleRates[i]);
        longest = delay > longest ? delay : longest;
        char rates[64];
        std::snprintf(rates, sizeof rates, "%d at %g and %g kHz", int(delay), kSupportedSampleRates[i] / 1000.0,
                      kSupportedSampleRates[i + 1] / 1000.0);
        perRate += (perRate.empty() ? "" : ", ") + std::string(rates);
    }
    out << "[\n        a lv2:OutputPort , lv2:ControlPort , lv2:reportsLatency ;\n"
        << "        lv2:index " << index << " ;\n"
        << "        lv2:symbol \"latency\" ;\n"
        << "        lv2:name \"Latency\" ;\n"
        << "        rdfs:comment \"The delay of the processed signal behind the input, in frames: " << perRate
        << ".\" ;\n"
        << "        lv2:designation lv2:latency ;\n"
        << "        lv2:portProperty lv2:reportsLatency , lv2:integer , pprops:notOnGUI ;\n"
        << "        lv2:minimum 0 ;\n"
        << "        lv2:maximum " << longest << " ;\n"
        << "        units:unit units:frame\n    ]";
}

std::string ControlPorts() {
    std::ostringstream out;
    uint32_t port = 0;
    for (const SParameterInfo* parameter = ParameterOfPort(port); parameter; parameter = ParameterOfPort(++port)) {
        ControlPort(out, *parameter);
        out << " , ";
    }
    LatencyPort(out, port);
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: generate_orvanta_ttl <template> <output>\n";
        return 1;
    }
    std::ifstream in(argv[1]);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
        std::cerr << "generate_orvanta_ttl: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::string turtle = text.str();
    const std::string ports = ControlPorts();
    for (size_t at = turtle.find(kPortsMarker); at != std::string::npos; at = turtle.find(kPortsMarker, at))
        turtle.replace(at, std::string(kPortsMarker).size(), ports), at += ports.size();
    std::ofstream out(argv[2], std::ios::trunc);
    out << turtle;
    out.close();
    if (!out) {
        std::cerr << "generate_orvanta_ttl: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
