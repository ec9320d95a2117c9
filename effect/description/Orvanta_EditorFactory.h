// The editor factory the description registers. The module comes in two
// forms that differ only here: the full one registers the panel
// (Orvanta_EditorFactory.cpp); the audio form (Orvanta_NoEditorFactory.cpp)
// registers none, so that a binary that only runs the signal path and the
// data model (the LV2 audio binary) links no widget toolkit and no drawing
// or windowing library.
//
// Main thread, within the module's registration.
#pragma once

class AAX_IEffectDescriptor;

// Adds the editor factory, if this form of the module has an editor.
void DescribeEditorFactory(AAX_IEffectDescriptor& effect);
