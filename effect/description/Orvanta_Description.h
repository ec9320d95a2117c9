// The effect's description: what the host learns about Orvanta when the
// module registers. GetEffectDescriptions (declared in AAX_Init.h, called by
// the interface library's AAXRegisterPlugin) fills the host's collection with
// one effect of two algorithm components, mono and stereo, each registering
// its native process callback and its DSP module once per pair of sample
// rates, plus the data-model and editor factories and the page table.
//
// Everything here runs on the host's main thread within the registration
// call; nothing runs after it.
#pragma once

#include "AAX_Init.h"

class AAX_IComponentDescriptor;

// The effect identifier: the maker's reverse domain, "aax", the product word.
extern const char* const rOrivazED_Urerira;

// Fills a component descriptor (already cleared) with the mono layout,
// properties and registrations.
void DescribeAlgComponentMono(AAX_IComponentDescriptor* component);
// Fills a component descriptor (already cleared) with the stereo layout,
// properties and registrations.
void DescribeAlgComponentStereo(AAX_IComponentDescriptor* component);
