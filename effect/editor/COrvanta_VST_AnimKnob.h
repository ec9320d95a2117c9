// COrvanta_VST_AnimKnob: the continuous knobs (the Harmonic, Dynamic and OutputTrim knobs).
// A filmstrip knob (COrvanta_FilmstripKnob); a plain drag covers the range in
// 200 pixels.
#pragma once

#include "COrvanta_FilmstripKnob.h"

struct COrvanta_VST_AnimKnob_Variant {
    static constexpr float kBaseDragRange = 200.0f;
    static constexpr const char* kClassName = "COrvanta_VST_AnimKnob";
};

using COrvanta_VST_AnimKnob = COrvanta_FilmstripKnob<COrvanta_VST_AnimKnob_Variant>;
extern template class COrvanta_FilmstripKnob<COrvanta_VST_AnimKnob_Variant>;
