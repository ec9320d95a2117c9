// Writes the bundle's Turtle files from their templates, with everything
// that depends on a parameter generated from the effect's parameter table:
// the control ports (indices 0 to 6, the same in both plug-ins: ranges,
// defaults, units and scale points) and the factory presets (port symbols
// and port values). Runs at build time:
//   generate_orvanta_ttl <template> <output> <preset-base-uri> <variant>=<plugin-uri>...
// A template holds markers where generated text goes: kPortsMarker, the
// control ports; kPresetsMarker, every preset of every variant;
// kPresetManifestMarker, their manifest entries. A preset's URI is
// <preset-base-uri>/<variant>/<preset>.
// Exit 0 on success, 1 when a file cannot be read or written or a factory
// preset does not fit the parameter table.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "host/lv2/ttl/Lv2FactoryPresets.h"

using namespace Orvanta;

namespace {

constexpr const char* kPortsMarker = "@ORVANTA_LV2_CONTROL_PORTS@";
constexpr const char* kPresetsMarker = "@ORVANTA_LV2_PRESETS@";
constexpr const char* kPresetManifestMarker = "@ORVANTA_LV2_PRESET_MANIFEST@";

// A plug-in the presets apply to: "mono" and its URI, say.
struct Variant {
    std::string name;
    std::string pluginURI;
};

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
        const double value = PortValueOf(parameter, parameter.valueNames[i].value);
        out << (i ? " , " : "") << "[\n            rdfs:label \"" << parameter.valueNames[i].name
            << "\" ;\n            rdf:value " << Whole(value) << "\n        ]";
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
        case EPortKind::Toggle:
            out << "        lv2:portProperty lv2:toggled ;\n"
                << "        lv2:default " << Whole(PortValueOf(parameter, parameter.defaultValue)) << " ;\n"
                << "        lv2:minimum 0 ;\n        lv2:maximum 1";
            ScalePoints(out, parameter);
            break;
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
                << "        lv2:default " << Whole(PortValueOf(parameter, parameter.defaultValue)) << " ;\n"
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

// The port value of one factory setting; throws when the setting names no
// parameter, a value name the parameter lacks, or a value out of range.
double PortValueOfSetting(const Lv2FactoryPresets::Setting& setting, const SParameterInfo** parameterOut) {
    const SParameterInfo* parameter = FindParameter(setting.parameterID);
    if (!parameter) throw std::runtime_error(std::string("no parameter '") + setting.parameterID + "'");
    double value = setting.value;
    if (setting.valueName) {
        int32_t named = 0;
        if (!ValueOfName(*parameter, setting.valueName, &named))
            throw std::runtime_error(std::string(parameter->name) + " has no value '" + setting.valueName + "'");
        value = named;
    }
    if (value < parameter->minimum || value > parameter->maximum)
        throw std::runtime_error(std::string(parameter->name) + " " + std::to_string(value) + " is out of range");
    *parameterOut = parameter;
    return PortValueOf(*parameter, value);
}

// One preset's port settings: every parameter but the enable port, once.
std::string PresetPorts(const Lv2FactoryPresets::Preset& preset) {
    std::ostringstream out;
    std::vector<const SParameterInfo*> given;
    for (const Lv2FactoryPresets::Setting& setting : preset.settings) {
        const SParameterInfo* parameter = nullptr;
        const double portValue = PortValueOfSetting(setting, &parameter);
        for (const SParameterInfo* earlier : given)
            if (earlier == parameter) throw std::runtime_error(std::string(parameter->name) + " given twice");
        given.push_back(parameter);
        // Decimals: hosts read pset:value as a float and pass over integer literals.
        out << (given.size() > 1 ? " , " : "") << "[\n        lv2:symbol \"" << parameter->portSymbol
            << "\" ;\n        pset:value " << Decimal(portValue) << "\n    ]";
    }
    for (size_t i = 0; i < kParameterCount; ++i) {
        const SParameterInfo& parameter = Parameters()[i];
        bool found = false;
        for (const SParameterInfo* p : given) found = found || p == &parameter;
        if (!found && parameter.portKind != EPortKind::Enable)
            throw std::runtime_error(std::string(parameter.name) + " is not set");
    }
    return out.str();
}

std::string PresetURI(const std::string& base, const Variant& variant, const Lv2FactoryPresets::Preset& preset) {
    return base + "/" + variant.name + "/" + preset.uriName;
}

std::string Presets(const std::string& base, const std::vector<Variant>& variants) {
    std::ostringstream out;
    for (const Variant& variant : variants)
        for (const Lv2FactoryPresets::Preset& preset : Lv2FactoryPresets::kPresets) {
            try {
                out << "\n<" << PresetURI(base, variant, preset) << ">\n    a pset:Preset ;\n"
                    << "    lv2:appliesTo <" << variant.pluginURI << "> ;\n"
                    << "    rdfs:label \"" << preset.label << "\" ;\n"
                    << "    lv2:port " << PresetPorts(preset) << " .\n";
            } catch (const std::runtime_error& error) {
                throw std::runtime_error(std::string("factory preset '") + preset.label + "': " + error.what());
            }
        }
    return out.str();
}

std::string PresetManifest(const std::string& base, const std::vector<Variant>& variants) {
    std::ostringstream out;
    for (const Variant& variant : variants)
        for (const Lv2FactoryPresets::Preset& preset : Lv2FactoryPresets::kPresets)
            out << "\n<" << PresetURI(base, variant, preset) << ">\n    a pset:Preset ;\n"
                << "    lv2:appliesTo <" << variant.pluginURI << "> ;\n"
                << "    rdfs:seeAlso <presets.ttl> .\n";
    return out.str();
}

void ReplaceMarker(std::string& text, const std::string& marker, const std::string& replacement) {
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at))
        text.replace(at, marker.size(), replacement), at += replacement.size();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Variant> variants;
    for (int i = 4; i < argc; ++i) {
        const std::string argument = argv[i];
        const size_t equals = argument.find('=');
        if (equals == std::string::npos || equals == 0) argc = 0;
        else variants.push_back({argument.substr(0, equals), argument.substr(equals + 1)});
    }
    if (argc < 5) {
        std::cerr << "usage: generate_orvanta_ttl <template> <output> <preset-base-uri> <variant>=<plugin-uri>...\n";
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
    try {
        ReplaceMarker(turtle, kPortsMarker, ControlPorts());
        ReplaceMarker(turtle, kPresetsMarker, Presets(argv[3], variants));
        ReplaceMarker(turtle, kPresetManifestMarker, PresetManifest(argv[3], variants));
    } catch (const std::runtime_error& error) {
        std::cerr << "generate_orvanta_ttl: " << error.what() << "\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::trunc);
    out << turtle;
    out.close();
    if (!out) {
        std::cerr << "generate_orvanta_ttl: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
