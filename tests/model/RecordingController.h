// Test helper: a controller that keeps a copy of every posted packet and
// answers a fixed sample rate; every other operation succeeds and does nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "AAX_IController.h"

class RecordingController : public AAX_IController {
public:
    struct Post {
        AAX_CFieldIndex field;
        std::vector<uint8_t> bytes;
    };

    std::vector<Post> posts;
    AAX_CSampleRate sampleRate = 48000.0f;
    AAX_Result postResult = 0;

    AAX_Result PostPacket(AAX_CFieldIndex field, const void* data, uint32_t size) override {
        const auto* bytes = static_cast<const uint8_t*>(data);
        posts.push_back({field, std::vector<uint8_t>(bytes, bytes + size)});
        return postResult;
    }
    AAX_Result GetSampleRate(AAX_CSampleRate* rate) const override {
        *rate = sampleRate;
        return 0;
    }

    AAX_Result GetEffectID(AAX_IString*) const override { return 0; }
    AAX_Result GetInputStemFormat(AAX_EStemFormat*) const override { return 0; }
    AAX_Result GetOutputStemFormat(AAX_EStemFormat*) const override { return 0; }
    AAX_Result GetSignalLatency(int32_t*) const override { return 0; }
    AAX_Result GetCycleCount(AAX_EProperty, AAX_CPropertyValue*) const override { return 0; }
    AAX_Result GetTODLocation(AAX_CTimestamp*) const override { return 0; }
    AAX_Result SetSignalLatency(int32_t) override { return 0; }
    AAX_Result SetCycleCount(AAX_EProperty*, AAX_CPropertyValue*, int32_t) override { return 0; }
    AAX_Result SendNotification(AAX_CTypeID, const void*, uint32_t) override { return 0; }
    AAX_Result GetCurrentMeterValue(AAX_CTypeID, float*) const override { return 0; }
    AAX_Result GetMeterPeakValue(AAX_CTypeID, float*) const override { return 0; }
    AAX_Result ClearMeterPeakValue(AAX_CTypeID) const override { return 0; }
    AAX_Result GetMeterCount(uint32_t*) const override { return 0; }
    AAX_Result GetMeterClipped(AAX_CTypeID, AAX_CBoolean*) const override { return 0; }
    AAX_Result ClearMeterClipped(AAX_CTypeID) const override { return 0; }
    AAX_Result GetNextMIDIPacket(int32_t*, AAX_CMidiPacket*) override { return 0; }
    AAX_Result GetHybridSignalLatency(int32_t*) const override { return 0; }
    AAX_Result GetCurrentAutomationTimestamp(AAX_CTimestamp*) const override { return 0; }
    AAX_Result GetHostName(AAX_IString*) const override { return 0; }
};
