#include "Orvanta_EditorFactory.h"

// The audio form of the module: no editor, so a host asking for one gets
// none and nothing of the toolkit is linked.
void DescribeEditorFactory(AAX_IEffectDescriptor&) {}
