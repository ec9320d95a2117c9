// AAX_VTransport: AAX_ITransport over the host's transport object. Every
// operation answers AAX_ERROR_NULL_OBJECT when the version offering it is
// missing (version 2 operations too). Calls the host on the caller's thread.
#pragma once

#include "AAX_IACFTransport.h"
#include "AAX_ITransport.h"
#include "ACFPtr.h"

class AAX_VTransport : public AAX_ITransport {
public:
    explicit AAX_VTransport(IACFUnknown* unknown);
    ~AAX_VTransport() override;

    AAX_Result GetCurrentTempo(double* outTempoBPM) const override;
    AAX_Result GetCurrentMeter(int32_t* outNumerator, int32_t* outDenominator) const override;
    AAX_Result IsTransportPlaying(bool* outIsPlaying) const override;
    AAX_Result GetCurrentTickPosition(int64_t* outTickPosition) const override;
    AAX_Result GetCurrentLoopPosition(bool* outLooping, int64_t* outLoopStartTick,
                                      int64_t* outLoopEndTick) const override;
    AAX_Result GetCurrentNativeSampleLocation(int64_t* outSampleLocation) const override;
    AAX_Result GetCustomTickPosition(int64_t* outTickPosition, int64_t sampleLocation) const override;
    AAX_Result GetBarBeatPosition(int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks,
                                  int64_t sampleLocation) const override;
    AAX_Result GetTicksPerQuarter(uint32_t* outTicks) const override;
    AAX_Result GetCurrentTicksPerBeat(uint32_t* outTicks) const override;
    AAX_Result GetTimelineSelectionStartPosition(int64_t* outSampleLocation) const override;
    AAX_Result GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32_t* outOffset) const override;
    AAX_Result GetFeetFramesInfo(AAX_EFeetFramesRate* outRate, int64_t* outOffset) const override;

private:
    ACFPtr<AAX_IACFTransport> m_ITransport;
    ACFPtr<AAX_IACFTransport_V2> m_ITransportV2;
};
