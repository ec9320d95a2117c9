#include "COrvanta_VST_AnimKnob_Switch.h"

#include "COrvanta_FilmstripKnobImpl.h"

template class COrvanta_FilmstripKnob<COrvanta_VST_AnimKnob_Switch_Variant>;
