#include "COrvanta_VST_AnimKnob.h"

#include "COrvanta_FilmstripKnobImpl.h"

template class COrvanta_FilmstripKnob<COrvanta_VST_AnimKnob_Variant>;
