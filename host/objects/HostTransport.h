// The substitute host's transport: a fixed tempo and meter, always stopped,
// at a sample position the runtime advances. Tick and bar
// positions follow from the position, tempo, meter and sample rate.
#pragma once

#include <atomic>

#include "AAX_IACFTransport.h"
#include "ACFPtr.h"
#include "HostObject.h"

class HostTransport : public HostObject<AAX_IACFTransport_V2> {
public:
    static constexpr double kTempoBPM = 120.0;
    static constexpr int32_t kMeterNumerator = 4;
    static constexpr int32_t kMeterDenominator = 4;
    static constexpr uint32_t kTicksPerQuarter = 960000;

    // Main thread.
    static ACFPtr<HostTransport> Create(double sampleRate, HostInterfaceLevel level = HostInterfaceLevel::Version2);

    // ---- AAX_IACFTransport(_V2), main or user-interface thread ----
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

    // ---- for the runtime ----
    void SetSampleLocation(int64_t sampleLocation) { m_SampleLocation.store(sampleLocation); }
    void Advance(int64_t samples) { m_SampleLocation.fetch_add(samples); }

    // Ticks at a sample location (the timeline starts at sample 0, tick 0).
    int64_t TicksAt(int64_t sampleLocation) const;

protected:
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    HostTransport(double sampleRate, HostInterfaceLevel level);

    HostInterfaceLevel m_Level;
    double m_SampleRate;
    std::atomic<int64_t> m_SampleLocation{0};
};
