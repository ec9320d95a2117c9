// The bundle's factory presets, one per colour type at settings that suit
// it, the same for the mono and the stereo plug-in. Values are written as
// the parameter's own values (a stepped parameter's by its value name);
// the Turtle generator turns them into port values through the parameter
// table, refuses a value out of range or a parameter left out, and gives
// every preset all the effect's parameters except the enable port.
#pragma once

#include "effect/model/Orvanta_ParameterTable.h"

namespace Lv2FactoryPresets {

struct Setting {
    const char* parameterID;
    double value;           // the parameter's value, unless valueName is set
    const char* valueName;  // a stepped parameter's value name, or null
};

struct Preset {
    const char* uriName;  // the last segment of the preset's URI (permanent)
    const char* label;    // the name hosts show
    Setting settings[5];
};

constexpr Setting Value(const char* parameterID, double value) { return {parameterID, value, nullptr}; }
constexpr Setting Named(const char* parameterID, const char* valueName) { return {parameterID, 0.0, valueName}; }

using Orvanta::kParamID_Color;
using Orvanta::kParamID_Dither;
using Orvanta::kParamID_Dynamic;
using Orvanta::kParamID_Harmonic;
using Orvanta::kParamID_OutputTrim;

constexpr Preset kPresets[] = {
    {"silver-sheen", "Silver Sheen",
     {Value(kParamID_Harmonic, 30.0), Value(kParamID_Dynamic, 20.0), Value(kParamID_OutputTrim, 0.0),
      Named(kParamID_Dither, "Off"), Named(kParamID_Color, "Silver")}},
    {"gold-warmth", "Gold Warmth",
     {Value(kParamID_Harmonic, 45.0), Value(kParamID_Dynamic, 30.0), Value(kParamID_OutputTrim, -1.0),
      Named(kParamID_Dither, "Off"), Named(kParamID_Color, "Gold")}},
    {"rich-glue", "Rich Glue",
     {Value(kParamID_Harmonic, 55.0), Value(kParamID_Dynamic, 45.0), Value(kParamID_OutputTrim, -1.5),
      Named(kParamID_Dither, "On"), Named(kParamID_Color, "Rich")}},
    {"fat-drive", "Fat Drive",
     {Value(kParamID_Harmonic, 75.0), Value(kParamID_Dynamic, 60.0), Value(kParamID_OutputTrim, -3.0),
      Named(kParamID_Dither, "Off"), Named(kParamID_Color, "Fat")}},
    {"deep-body", "Deep Body",
     {Value(kParamID_Harmonic, 60.0), Value(kParamID_Dynamic, 35.0), Value(kParamID_OutputTrim, -2.0),
      Named(kParamID_Dither, "On"), Named(kParamID_Color, "Deep")}},
};

}  // namespace Lv2FactoryPresets
