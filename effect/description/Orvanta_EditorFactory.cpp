#include "Orvanta_EditorFactory.h"

#include "AAX_IEffectDescriptor.h"
#include "effect/editor/Orvanta_GUI.h"

void DescribeEditorFactory(AAX_IEffectDescriptor& effect) {
    effect.AddProcPtr(reinterpret_cast<void*>(&Orvanta_GUI::Create), kAAX_ProcPtrID_Create_EffectGUI);
}
