// COrvanta_VST_AnimKnob_Switch_Fine: the three-position Dither switch, with a shorter drag
// range than the other knobs and the toolkit knob's own type test and copy. It
// sends a continuous value; the integer parameter it drives quantises it.
// A filmstrip knob (COrvanta_FilmstripKnob); a plain drag covers the range in
// 100 pixels.
#pragma once

#include "COrvanta_FilmstripKnob.h"

struct COrvanta_VST_AnimKnob_Switch_Fine_Variant {
    static constexpr float kBaseDragRange = 100.0f;
    static constexpr const char* kClassName = nullptr;
};

using COrvanta_VST_AnimKnob_Switch_Fine = COrvanta_FilmstripKnob<COrvanta_VST_AnimKnob_Switch_Fine_Variant>;
extern template class COrvanta_FilmstripKnob<COrvanta_VST_AnimKnob_Switch_Fine_Variant>;
