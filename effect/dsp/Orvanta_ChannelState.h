// Initialisation of the channel-state records for a sample rate.
#pragma once

#include <cstdint>

#include "effect/dsp/Orvanta_AlgContext.h"

// The rate case (1 .. 6, one per supported rate) and the rate multiple
// (1, 2 or 4) that together fix the coefficient set and the delay-line length.
struct SOrvanta_RateSetting {
    int32_t m_iRateCase;
    uint32_t m_uRateMultiple;
};

// Maps a host sample rate to its rate setting. The six supported rates map to
// their own case; any other rate (including 0, negative, infinite and
// not-a-number rates) maps to the supported rate nearest to it by ratio, so no
// rate can select a missing coefficient set or a delay-line index outside the
// line. The multiple always belongs to the chosen case.
SOrvanta_RateSetting Orvanta_RateSettingForSampleRate(float sampleRate);

// Initialises every whole channel-state record in a private-data block of
// sizeInBytes bytes for the sample rate: rate multiple and rate case set, all
// filter and noise states, the delay line and the write index cleared. A
// remainder shorter than one record, and the reserved words, are left
// untouched. A null block is ignored.
// Called on the main thread (the data model's ResetFieldData), never while an
// audio callback processes the same block.
void Orvanta_InitChannelStates(float sampleRate, void* data, uint32_t sizeInBytes);

// True when every filter state and every delay-line slot of the record is a
// finite number.
bool Orvanta_ChannelStateIsFinite(const SOrvanta_Channel_State& record);

// Initialises one record as Orvanta_InitChannelStates does for the rate the
// record already holds (its rate multiple and rate case stay as they are).
// Audio thread: the callbacks call it on a channel whose state is no longer
// finite; no locks, no allocation.
void Orvanta_ResetChannelState(SOrvanta_Channel_State& record);
