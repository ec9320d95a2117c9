#include "AAX_VTransport.h"

#include "AAX_UIDs.h"

namespace {
// The transport answers the same code whichever version is missing.
constexpr AAX_Result kMissing = AAX_ERROR_NULL_OBJECT;
}  // namespace

AAX_VTransport::AAX_VTransport(IACFUnknown* unknown)
    : m_ITransport(IID_IAAXTransportV1, unknown), m_ITransportV2(IID_IAAXTransportV2, unknown) {}

AAX_VTransport::~AAX_VTransport() = default;

AAX_Result AAX_VTransport::GetCurrentTempo(double* outTempoBPM) const {
    return m_ITransport ? m_ITransport->GetCurrentTempo(outTempoBPM) : kMissing;
}

AAX_Result AAX_VTransport::GetCurrentMeter(int32_t* outNumerator, int32_t* outDenominator) const {
    return m_ITransport ? m_ITransport->GetCurrentMeter(outNumerator, outDenominator) : kMissing;
}

AAX_Result AAX_VTransport::IsTransportPlaying(bool* outIsPlaying) const {
    return m_ITransport ? m_ITransport->IsTransportPlaying(outIsPlaying) : kMissing;
}

AAX_Result AAX_VTransport::GetCurrentTickPosition(int64_t* outTickPosition) const {
    return m_ITransport ? m_ITransport->GetCurrentTickPosition(outTickPosition) : kMissing;
}

AAX_Result AAX_VTransport::GetCurrentLoopPosition(bool* outLooping, int64_t* outLoopStartTick,
                                                  int64_t* outLoopEndTick) const {
    return m_ITransport ? m_ITransport->GetCurrentLoopPosition(outLooping, outLoopStartTick, outLoopEndTick)
                        : kMissing;
}

AAX_Result AAX_VTransport::GetCurrentNativeSampleLocation(int64_t* outSampleLocation) const {
    return m_ITransport ? m_ITransport->GetCurrentNativeSampleLocation(outSampleLocation) : kMissing;
}

AAX_Result AAX_VTransport::GetCustomTickPosition(int64_t* outTickPosition, int64_t sampleLocation) const {
    return m_ITransport ? m_ITransport->GetCustomTickPosition(outTickPosition, sampleLocation) : kMissing;
}

AAX_Result AAX_VTransport::GetBarBeatPosition(int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks,
                                              int64_t sampleLocation) const {
    return m_ITransport ? m_ITransport->GetBarBeatPosition(outBars, outBeats, outDisplayTicks, sampleLocation)
                        : kMissing;
}

AAX_Result AAX_VTransport::GetTicksPerQuarter(uint32_t* outTicks) const {
    return m_ITransport ? m_ITransport->GetTicksPerQuarter(outTicks) : kMissing;
}

AAX_Result AAX_VTransport::GetCurrentTicksPerBeat(uint32_t* outTicks) const {
    return m_ITransport ? m_ITransport->GetCurrentTicksPerBeat(outTicks) : kMissing;
}

AAX_Result AAX_VTransport::GetTimelineSelectionStartPosition(int64_t* outSampleLocation) const {
    return m_ITransportV2 ? m_ITransportV2->GetTimelineSelectionStartPosition(outSampleLocation) : kMissing;
}

AAX_Result AAX_VTransport::GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32_t* outOffset) const {
    return m_ITransportV2 ? m_ITransportV2->GetTimeCodeInfo(outFrameRate, outOffset) : kMissing;
}

AAX_Result AAX_VTransport::GetFeetFramesInfo(AAX_EFeetFramesRate* outRate, int64_t* outOffset) const {
    return m_ITransportV2 ? m_ITransportV2->GetFeetFramesInfo(outRate, outOffset) : kMissing;
}
