#include "HostTransport.h"

#include <algorithm>
#include <cmath>

namespace {
// Ticks of one beat of the meter's denominator.
constexpr int64_t TicksPerBeat() {
    return int64_t(HostTransport::kTicksPerQuarter) * 4 / HostTransport::kMeterDenominator;
}
}  // namespace

ACFPtr<HostTransport> HostTransport::Create(double sampleRate, HostInterfaceLevel level) {
    return ACFPtr<HostTransport>(new HostTransport(sampleRate, level));
}

HostTransport::HostTransport(double sampleRate, HostInterfaceLevel level)
    : m_Level(level), m_SampleRate(sampleRate > 0.0 ? sampleRate : 48000.0) {}

ACFRESULT HostTransport::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IAAXTransportV1 && m_Level != HostInterfaceLevel::None)
        return Provide(static_cast<AAX_IACFTransport*>(this), ppOut);
    if (iid == IID_IAAXTransportV2 && m_Level == HostInterfaceLevel::Version2)
        return Provide(static_cast<AAX_IACFTransport_V2*>(this), ppOut);
    return ACF_E_NOINTERFACE;
}

int64_t HostTransport::TicksAt(int64_t sampleLocation) const {
    const double quarters = double(sampleLocation) / m_SampleRate * (kTempoBPM / 60.0);
    return static_cast<int64_t>(std::floor(quarters * kTicksPerQuarter));
}

AAX_Result HostTransport::GetCurrentTempo(double* outTempoBPM) const {
    if (!outTempoBPM) return AAX_ERROR_NULL_OBJECT;
    *outTempoBPM = kTempoBPM;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::GetCurrentMeter(int32_t* outNumerator, int32_t* outDenominator) const {
    if (!outNumerator || !outDenominator) return AAX_ERROR_NULL_OBJECT;
    *outNumerator = kMeterNumerator;
    *outDenominator = kMeterDenominator;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::IsTransportPlaying(bool* outIsPlaying) const {
    if (!outIsPlaying) return AAX_ERROR_NULL_OBJECT;
    *outIsPlaying = m_Playing.load();
    return AAX_SUCCESS;
}

AAX_Result HostTransport::GetCurrentTickPosition(int64_t* outTickPosition) const {
    return GetCustomTickPosition(outTickPosition, m_SampleLocation.load());
}

AAX_Result HostTransport::GetCurrentLoopPosition(bool* outLooping, int64_t* outLoopStartTick,
                                                 int64_t* outLoopEndTick) const {
    if (!outLooping || !outLoopStartTick || !outLoopEndTick) return AAX_ERROR_NULL_OBJECT;
    *outLooping = false;
    *outLoopStartTick = 0;
    *outLoopEndTick = 0;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::GetCurrentNativeSampleLocation(int64_t* outSampleLocation) const {
    if (!outSampleLocation) return AAX_ERROR_NULL_OBJECT;
    *outSampleLocation = m_SampleLocation.load();
    return AAX_SUCCESS;
}

AAX_Result HostTransport::GetCustomTickPosition(int64_t* outTickPosition, int64_t sampleLocation) const {
    if (!outTickPosition) return AAX_ERROR_NULL_OBJECT;
    *outTickPosition = TicksAt(sampleLocation);
    return AAX_SUCCESS;
}

AAX_Result HostTransport::GetBarBeatPosition(int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks,
                                             int64_t sampleLocation) const {
    if (!outBars || !outBeats || !outDisplayTicks) return AAX_ERROR_NULL_OBJECT;
    // Bars and beats count from 1; positions before the start count as the start.
    const int64_t ticks = std::max<int64_t>(0, TicksAt(sampleLocation));
    const int64_t beats = ticks / TicksPerBeat();
    *outBars = static_cast<int32_t>(beats / kMeterNumerator + 1);
    *outBeats = static_cast<int32_t>(beats % kMeterNumerator + 1);
    *outDisplayTicks = ticks % TicksPerBeat();
    return AAX_SUCCESS;
}

AAX_Result HostTransport::GetTicksPerQuarter(uint32_t* outTicks) const {
    if (!outTicks) return AAX_ERROR_NULL_OBJECT;
    *outTicks = kTicksPerQuarter;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::GetCurrentTicksPerBeat(uint32_t* outTicks) const {
    if (!outTicks) return AAX_ERROR_NULL_OBJECT;
    *outTicks = static_cast<uint32_t>(TicksPerBeat());
    return AAX_SUCCESS;
}

AAX_Result HostTransport::GetTimelineSelectionStartPosition(int64_t* outSampleLocation) const {
    if (!outSampleLocation) return AAX_ERROR_NULL_OBJECT;
    *outSampleLocation = 0;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32_t* outOffset) const {
    if (!outFrameRate || !outOffset) return AAX_ERROR_NULL_OBJECT;
    *outFrameRate = AAX_eFrameRate_30NonDrop;
    *outOffset = 0;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::GetFeetFramesInfo(AAX_EFeetFramesRate* outRate, int64_t* outOffset) const {
    if (!outRate || !outOffset) return AAX_ERROR_NULL_OBJECT;
    *outRate = AAX_eFeetFramesRate_24;
    *outOffset = 0;
    return AAX_SUCCESS;
}
