// Orvanta_Parameters: the effect's data model, one per instance (mono and
// stereo alike). It adds to the effect-parameters base the six parameters
// of the parameter table (Orvanta_ParameterTable.h) with their routing to the knob packet, the knob-packet fill and the
// initialisation of the algorithm's private data; everything else the host
// asks is answered by the base.
#pragma once

#include "AAX_CEffectParameters.h"

class Orvanta_Parameters : public AAX_CEffectParameters {
public:
    // Main thread: the data-model factory named in the effect description. A
    // new instance, not yet initialised, with no references: the host takes
    // the first and releases it through the reference count.
    static AAX_CEffectParameters* Create();

    Orvanta_Parameters() = default;
    ~Orvanta_Parameters() override = default;

    // Main thread, from Initialize: creates the six parameters and routes all
    // of them to the knob packet of context field 0. Always 0.
    AAX_Result EffectInit() override;

    // Main thread, never while the block is being processed: initialises the
    // private-data block (field 1) for the host's current sample rate and
    // reports 0. Any other field is left untouched: -20025. Without a sample
    // rate from the host the block is left untouched and the host's error is
    // reported.
    AAX_Result ResetFieldData(AAX_CFieldIndex fieldIndex, void* data, uint32_t dataSize) const override;

    // Main thread, under the packet dispatcher's lock: writes the 20-byte
    // knob packet from the six parameters (the fixed bypass packet while the
    // master bypass is on). A value that cannot be read leaves its field as
    // it was and makes the result -20004; the other fields are still filled.
    AAX_Result UpdatePacket_AllKnobs(AAX_CPacket& packet);

    // Main thread: the facts of ModuleQueries.h a host may ask for (the
    // signal delay at the current rate, the words for the switches' values).
    // Any other block, or a buffer too small, gets nothing: 0 bytes written.
    AAX_Result GetCustomData(AAX_CTypeID dataBlockID, uint32_t dataSize, void* data,
                             uint32_t* bytesWritten) const override;
};
