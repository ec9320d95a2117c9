#include "HostTransport.h"

#include "AnswerThroughPointer.h"

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
    return AnswerThroughPointers(outTempoBPM, kTempoBPM);
}

AAX_Result HostTransport::GetCurrentMeter(int32_t* outNumerator, int32_t* outDenominator) const {
    return AnswerThroughPointers(outNumerator, kMeterNumerator, outDenominator, kMeterDenominator);
}

AAX_Result HostTransport::IsTransportPlaying(bool* outIsPlaying) const {
    // The host renders files, not a timeline: the transport never plays.
    return AnswerThroughPointers(outIsPlaying, false);
}

AAX_Result HostTransport::GetCurrentTickPosition(int64_t* outTickPosition) const {
    return GetCustomTickPosition(outTickPosition, m_SampleLocation.load());
}

AAX_Result HostTransport::GetCurrentLoopPosition(bool* outLooping, int64_t* outLoopStartTick,
                                                 int64_t* outLoopEndTick) const {
    return AnswerThroughPointers(outLooping, false, outLoopStartTick, int64_t{0}, outLoopEndTick, int64_t{0});
}

AAX_Result HostTransport::GetCurrentNativeSampleLocation(int64_t* outSampleLocation) const {
    return AnswerThroughPointers(outSampleLocation, m_SampleLocation.load());
}

AAX_Result HostTransport::GetCustomTickPosition(int64_t* outTickPosition, int64_t sampleLocation) const {
    return AnswerThroughPointers(outTickPosition, TicksAt(sampleLocation));
}

AAX_Result HostTransport::GetBarBeatPosition(int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks,
                                             int64_t sampleLocation) const {
    // Bars and beats count from 1; positions before the start count as the start.
    const int64_t ticks = std::max<int64_t>(0, TicksAt(sampleLocation));
    const int64_t beats = ticks / TicksPerBeat();
    return AnswerThroughPointers(outBars, static_cast<int32_t>(beats / kMeterNumerator + 1),
                                 outBeats, static_cast<int32_t>(beats % kMeterNumerator + 1),
                                 outDisplayTicks, ticks % TicksPerBeat());
}

AAX_Result HostTransport::GetTicksPerQuarter(uint32_t* outTicks) const {
    return AnswerThroughPointers(outTicks, kTicksPerQuarter);
}

AAX_Result HostTransport::GetCurrentTicksPerBeat(uint32_t* outTicks) const {
    return AnswerThroughPointers(outTicks, static_cast<uint32_t>(TicksPerBeat()));
}

AAX_Result HostTransport::GetTimelineSelectionStartPosition(int64_t* outSampleLocation) const {
    return AnswerThroughPointers(outSampleLocation, int64_t{0});
}

AAX_Result HostTransport::GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32_t* outOffset) const {
    return AnswerThroughPointers(outFrameRate, AAX_eFrameRate_30NonDrop, outOffset, int32_t{0});
}

AAX_Result HostTransport::GetFeetFramesInfo(AAX_EFeetFramesRate* outRate, int64_t* outOffset) const {
    return AnswerThroughPointers(outRate, AAX_eFeetFramesRate_24, outOffset, int64_t{0});
}
