// One Orvanta_Parameters initialised with the substitute host's controller and automation delegate.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "AAX_CString.h"
#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/model/Orvanta_Parameters.h"
#include "host/objects/HostAutomationDelegate.h"
#include "host/objects/HostController.h"
#include "host/objects/HostTransport.h"

class ModelHarness {
public:
    explicit ModelHarness(AAX_CSampleRate sampleRate = 48000.0f)
        : controller(HostController::Create(sampleRate, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo)),
          automation(HostAutomationDelegate::Create()),
          transport(HostTransport::Create(sampleRate)),
          model(Orvanta_Parameters::Create()) {
        controller->AttachAutomationDelegate(automation.get());
        controller->AttachTransport(transport.get());
        model->AddRef();  // the host's reference
        initializeResult = model->Initialize(controller->Identity());
    }
    virtual ~ModelHarness() {
        model->Uninitialize();
        model->Release();
        controller->AttachAutomationDelegate(nullptr);
        controller->AttachTransport(nullptr);
    }
    ModelHarness(const ModelHarness&) = delete;
    ModelHarness& operator=(const ModelHarness&) = delete;

    // Answers every queued set-value request; returns how many there were.
    size_t Answer() {
        const auto requests = automation->TakeSetValueRequests();
        for (const auto& request : requests) Automate(request.parameterID.c_str(), request.normalizedValue);
        return requests.size();
    }
    // A change the host makes (an answer or automation).
    virtual void Automate(const char* id, double normalized) {
        model->UpdateParameterNormalizedValue(id, normalized, AAX_eUpdateSource_Parameter);
    }

    // A change as the editor makes it, answered by the host.
    void Set(const char* id, double normalized) {
        model->SetParameterNormalizedValue(id, normalized);
        Answer();
    }

    double Normalized(const char* id) const {
        double value = -1.0;
        model->GetParameterNormalizedValue(id, &value);
        return value;
    }

    std::string ValueString(const char* id) const {
        AAX_CString text;
        model->GetParameterValueString(id, &text, 32);
        return text.Get();
    }

    // Generates coefficients and returns the knob packets posted for field 0.
    std::vector<SOrvanta_Knob_Packet> Dispatch() {
        model->GenerateCoefficients();
        std::vector<SOrvanta_Knob_Packet> packets;
        for (const auto& bytes : controller->TakePackets(Orvanta::kField_KnobPacket)) {
            SOrvanta_Knob_Packet packet;
            EXPECT_EQ(bytes.size(), sizeof packet);
            std::memcpy(&packet, bytes.data(), sizeof packet);
            packets.push_back(packet);
        }
        return packets;
    }

    ACFPtr<HostController> controller;
    ACFPtr<HostAutomationDelegate> automation;
    ACFPtr<HostTransport> transport;
    AAX_CEffectParameters* model;
    AAX_Result initializeResult = -1;
};
