// COrvanta_VST_AnimKnob_Switch: the five-position colour-type selector (the Color knob). It sends a
// continuous value; the integer parameter it drives quantises it.
// A filmstrip knob (COrvanta_FilmstripKnob); a plain drag covers the range in
// 200 pixels.
#pragma once

#include "COrvanta_FilmstripKnob.h"

struct COrvanta_VST_AnimKnob_Switch_Variant {
    static constexpr float kBaseDragRange = 200.0f;
    static constexpr const char* kClassName = "COrvanta_VST_AnimKnob_Switch";
};

using COrvanta_VST_AnimKnob_Switch = COrvanta_FilmstripKnob<COrvanta_VST_AnimKnob_Switch_Variant>;
extern template class COrvanta_FilmstripKnob<COrvanta_VST_AnimKnob_Switch_Variant>;
