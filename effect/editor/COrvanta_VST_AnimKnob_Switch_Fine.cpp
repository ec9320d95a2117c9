#include "COrvanta_VST_AnimKnob_Switch_Fine.h"

#include "COrvanta_FilmstripKnobImpl.h"

template class COrvanta_FilmstripKnob<COrvanta_VST_AnimKnob_Switch_Fine_Variant>;
