// The records the host hands to the process callbacks: the algorithm context
// (one per effect instance), the knob packet it points to and the
// per-channel state kept in its private-data block. Their sizes and field
// orders are part of the description registered with the host, so they are
// fixed here and checked at compile time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "effect/Orvanta_Defs.h"

// Parameter values for one callback, filled by the data model and copied by
// the host into context field 0. Native byte order.
struct SOrvanta_Knob_Packet {
    float m_fHarmonic;    // "Harmonic" / 100, 0 .. 1
    float m_fDynamic;     // "Dynamic" / 100, 0 .. 1
    float m_fOutputGain;  // linear gain of "OutputTrim": 10^(dB / 20)
    int32_t m_iDither;    // Orvanta::kDitherOff or Orvanta::kDitherOn
    int32_t m_iColor;     // colour type Orvanta::kColorMin .. kColorMax
};

// State of one channel's signal chain, carried from block to block.
// 71 consecutive 32-bit words.
struct SOrvanta_Channel_State {
    uint32_t m_uReserved0;       // not read by the processing
    uint32_t m_uReserved1;       // not read by the processing
    uint32_t m_uRateMultiple;    // 1, 2 or 4: sets the delay-line length
    int32_t m_iRateCase;         // 1 .. 6: selects the rate coefficient set
    float m_fTapShaperLP;
    float m_fInputLP;
    float m_fColorLP;
    float m_fSquareLP;
    float m_fHarmonicLP;
    float m_fTapLP;
    float m_fDriveLP2;
    float m_fDriveLP1;
    float m_fEmphasisLP2;
    float m_fEmphasisLP1;
    float m_fOutputLP1;
    float m_fOutputLP2;
    float m_fNoise;              // smoothed white noise
    float m_fNoiseLP1;
    float m_fNoiseLP2;
    float m_fNoiseLP3;
    float m_fNoiseLP4;
    float m_fDelayLine[Orvanta::kDelayLineSlots];  // circular; 13, 25 or 49 slots in use
    int32_t m_iWriteIndex;       // next slot to write, below the length in use
};

// The private-data block: channel 0's record, then channel 1's. The mono
// callback uses only the first.
struct SOrvanta_Private_Data {
    SOrvanta_Channel_State m_Channels[Orvanta::kChannelStatesPerBlock];
};

// One instance's context. The field index the description registers is the
// field's position in this record.
struct SOrvanta_Alg_Context {
    const SOrvanta_Knob_Packet* m_pPacket;  // data-in port, 20-byte packets
    SOrvanta_Private_Data* m_pPrivateData;  // 568 bytes, owned by the host
    float* const* m_ppInputs;               // one buffer (mono) or two (stereo)
    float* const* m_ppOutputs;              // as the inputs; may be the same buffers
    const int32_t* m_pBufferLength;         // samples in every buffer of the call
};

static_assert(sizeof(SOrvanta_Knob_Packet) == Orvanta::kKnobPacketSize, "knob packet is 20 bytes");
static_assert(offsetof(SOrvanta_Knob_Packet, m_fHarmonic) == 0, "knob packet layout");
static_assert(offsetof(SOrvanta_Knob_Packet, m_fDynamic) == 4, "knob packet layout");
static_assert(offsetof(SOrvanta_Knob_Packet, m_fOutputGain) == 8, "knob packet layout");
static_assert(offsetof(SOrvanta_Knob_Packet, m_iDither) == 12, "knob packet layout");
static_assert(offsetof(SOrvanta_Knob_Packet, m_iColor) == 16, "knob packet layout");

static_assert(sizeof(SOrvanta_Channel_State) == Orvanta::kChannelStateSize, "channel state is 284 bytes");
static_assert(offsetof(SOrvanta_Channel_State, m_uRateMultiple) == 2 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_iRateCase) == 3 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fTapShaperLP) == 4 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fInputLP) == 5 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fColorLP) == 6 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fSquareLP) == 7 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fHarmonicLP) == 8 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fTapLP) == 9 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fDriveLP2) == 10 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fDriveLP1) == 11 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fEmphasisLP2) == 12 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fEmphasisLP1) == 13 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fOutputLP1) == 14 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fOutputLP2) == 15 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fNoise) == 16 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fNoiseLP1) == 17 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fNoiseLP4) == 20 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_fDelayLine) == 21 * 4, "channel state layout");
static_assert(offsetof(SOrvanta_Channel_State, m_iWriteIndex) == 70 * 4, "channel state layout");

static_assert(sizeof(SOrvanta_Private_Data) == Orvanta::kPrivateDataSize, "private data is 568 bytes");

static_assert(offsetof(SOrvanta_Alg_Context, m_pPacket) == Orvanta::kField_KnobPacket * sizeof(void*),
              "context field order");
static_assert(offsetof(SOrvanta_Alg_Context, m_pPrivateData) == Orvanta::kField_PrivateData * sizeof(void*),
              "context field order");
static_assert(offsetof(SOrvanta_Alg_Context, m_ppInputs) == Orvanta::kField_AudioIn * sizeof(void*),
              "context field order");
static_assert(offsetof(SOrvanta_Alg_Context, m_ppOutputs) == Orvanta::kField_AudioOut * sizeof(void*),
              "context field order");
static_assert(offsetof(SOrvanta_Alg_Context, m_pBufferLength) == Orvanta::kField_BufferLength * sizeof(void*),
              "context field order");
static_assert(sizeof(SOrvanta_Alg_Context) == 5 * sizeof(void*), "context holds five pointers");
