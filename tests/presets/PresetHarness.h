// Test helper: the effect's module through its linked entry points and
// stereo instances made from it as the orvanta program makes them, with the
// owner identifiers a host writes into preset records.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AAX_CString.h"
#include "host/runtime/EffectInstance.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/PresetFile.h"

namespace preset_test {

constexpr float kSampleRate = 48000.0f;

class LinkedEffect {
public:
    LinkedEffect() {
        std::string error;
        module = PluginModule::LoadLinked(&error);
        EXPECT_TRUE(module) << error;
        component = module->ComponentForStemFormat(AAX_eStemFormat_Stereo);
        EXPECT_TRUE(component);
        owner = PresetOwner::Of(*component, kSampleRate, AAX_eStemFormat_Stereo);
    }

    std::unique_ptr<EffectInstance> NewInstance() const {
        EffectInstance::Parts parts;
        parts.component = component;
        parts.processProc = reinterpret_cast<AAX_CProcessProc>(module->NativeProcessProc(*component, kSampleRate));
        parts.dataModel = module->CreateDataModel();
        EffectInstance::Setup setup;
        setup.sampleRate = kSampleRate;
        setup.stemFormat = AAX_eStemFormat_Stereo;
        std::string error;
        std::unique_ptr<EffectInstance> instance = EffectInstance::Create(parts, setup, &error);
        EXPECT_TRUE(instance) << error;
        return instance;
    }

    std::unique_ptr<PluginModule> module;
    const RecordedComponent* component = nullptr;
    PresetOwner owner;
};

// The display text of every parameter, in index order.
inline std::vector<std::string> DisplayTexts(EffectInstance& instance) {
    std::vector<std::string> texts;
    int32_t count = 0;
    instance.Parameters().GetNumberOfParameters(&count);
    for (int32_t index = 0; index < count; ++index) {
        AAX_CString id, text;
        instance.Parameters().GetParameterIDFromIndex(index, &id);
        instance.Parameters().GetParameterValueString(id.Get(), &text, 32);
        texts.push_back(text.Get());
    }
    return texts;
}

// A parameter change as the editor makes it, answered by the host.
inline void Set(EffectInstance& instance, const char* parameterID, double normalized) {
    instance.Parameters().SetParameterNormalizedValue(parameterID, normalized);
    instance.AnswerRequests();
}

}  // namespace preset_test
