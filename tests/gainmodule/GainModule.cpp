// A second, trivial module for the host's tests: one parameter, "Gain"
// (-12 to 12 dB, 0 dB by default), applied to mono or stereo audio at 44.1
// and 48 kHz with no delay. It has no editor, no master bypass and answers
// none of the data model's optional queries. Built as a bundle like the
// effect's, it shows that the host, the program and the validator need
// nothing of the effect to run a module.
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_ICollection.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"
#include "AAX_Init.h"
#include "acfextras.h"
#include "acfmodule.h"

namespace {

constexpr const char* kGainID = "Gain";
constexpr float kLowestDecibels = -12.0f;
constexpr float kHighestDecibels = 12.0f;

// The context, field by field in index order.
enum Field : AAX_CFieldIndex { kGainField = 0, kInputField = 1, kOutputField = 2, kLengthField = 3 };
struct GainContext {
    const float* gain;  // the linear gain, posted by the data model
    float* const* inputs;
    float* const* outputs;
    const int32_t* length;
};

// Output stays finite, as a host expects of every module: non-finite input
// becomes silence, and a product beyond the float range is limited to it.
float Gained(float sample, float gain) {
    if (!std::isfinite(sample)) return 0.0f;
    return std::fmax(std::fmin(sample * gain, FLT_MAX), -FLT_MAX);
}

// Audio thread: no allocation, no locks.
template <int Channels>
void Process(GainContext* const begin[], const void* end) {
    for (GainContext* const* it = begin; it < static_cast<GainContext* const*>(end); ++it) {
        const GainContext& context = **it;
        const float gain = context.gain ? *context.gain : 1.0f;
        for (int channel = 0; channel < Channels; ++channel)
            for (int32_t i = 0; i < *context.length; ++i)
                context.outputs[channel][i] = Gained(context.inputs[channel][i], gain);
    }
}

class GainParameters : public AAX_CEffectParameters {
public:
    static AAX_CEffectParameters* Create() { return new GainParameters(); }

    AAX_Result EffectInit() override {
        auto* gain = new AAX_CParameter<float>(kGainID, AAX_CString(kGainID), 0.0f,
                                               AAX_CLinearTaperDelegate<float, 0>(kLowestDecibels, kHighestDecibels),
                                               AAX_CNumberDisplayDelegate<float, 2u, 0u>(), true);
        gain->SetNumberOfSteps(241);
        m_ParameterManager.AddParameter(gain);
        m_PacketDispatcher.RegisterPacket(kGainID, kGainField, this, &GainParameters::UpdateGain);
        return AAX_SUCCESS;
    }

    AAX_Result UpdateGain(AAX_CPacket& packet) {
        float decibels = 0.0f;
        const AAX_IParameter* gain = m_ParameterManager.GetParameterByID(kGainID);
        if (!gain || !gain->GetValueAsFloat(&decibels)) return AAX_ERROR_NULL_OBJECT;
        packet.SetSize(sizeof(float));
        *packet.GetPtr<float>() = std::pow(10.0f, decibels / 20.0f);
        return AAX_SUCCESS;
    }
};

void DescribeComponent(AAX_IComponentDescriptor& component, AAX_EStemFormat stem, AAX_CProcessProc process,
                       const char* pluginID) {
    component.AddDataInPort(kGainField, sizeof(float), AAX_eDataInPortType_Buffered);
    component.AddAudioIn(kInputField);
    component.AddAudioOut(kOutputField);
    component.AddAudioBufferLength(kLengthField);
    AAX_IPropertyMap* properties = component.NewPropertyMap();
    if (!properties) return;
    properties->AddProperty(AAX_eProperty_ManufacturerID, AAX_CPropertyValue(AAX_FourCC('T', 'e', 's', 't')));
    properties->AddProperty(AAX_eProperty_ProductID, AAX_CPropertyValue(AAX_FourCC('G', 'a', 'i', 'n')));
    properties->AddProperty(AAX_eProperty_PlugInID_Native,
                            AAX_CPropertyValue(AAX_FourCC(pluginID[0], pluginID[1], pluginID[2], pluginID[3])));
    properties->AddProperty(AAX_eProperty_InputStemFormat, stem);
    properties->AddProperty(AAX_eProperty_OutputStemFormat, stem);
    properties->AddProperty(AAX_eProperty_SampleRate, AAX_eSampleRateMask_44100 | AAX_eSampleRateMask_48000);
    component.AddProcessProc_Native(process, properties, nullptr, nullptr, nullptr);
}

}  // namespace

AAX_Result GetEffectDescriptions(AAX_ICollection* collection) {
    if (!collection) return AAX_ERROR_NULL_OBJECT;
    AAX_IEffectDescriptor* effect = collection->NewDescriptor();
    AAX_IComponentDescriptor* component = effect ? effect->NewComponentDescriptor() : nullptr;
    if (!component) return AAX_ERROR_NULL_OBJECT;
    effect->AddName("Gain Test");
    effect->AddCategory(AAX_ePlugInCategory_Dynamics);
    component->Clear();
    DescribeComponent(*component, AAX_eStemFormat_Mono, reinterpret_cast<AAX_CProcessProc>(&Process<1>), "GnM1");
    effect->AddComponent(component);
    component->Clear();
    DescribeComponent(*component, AAX_eStemFormat_Stereo, reinterpret_cast<AAX_CProcessProc>(&Process<2>), "GnS2");
    effect->AddComponent(component);
    effect->AddProcPtr(reinterpret_cast<void*>(&GainParameters::Create), kAAX_ProcPtrID_Create_EffectParameters);
    collection->SetManufacturerName("Test");
    collection->AddPackageName("Gain Test");
    collection->SetPackageVersion(1);
    return collection->AddEffect("test.gain", effect);
}

// The seven entry points, as thin as the effect's.
extern "C" {
ACF_EXPORT ACFRESULT ACFGetSDKVersion(acfUInt64* version) {
    return ACFCatchAll([&] { return AAXGetSDKVersion(version); });
}
ACF_EXPORT ACFRESULT ACFStartup(IACFUnknown* host) { return ACFCatchAll([&] { return AAXStartup(host); }); }
ACF_EXPORT ACFRESULT ACFRegisterPlugin(IACFUnknown* host, IACFPluginDefinition** definition) {
    return ACFCatchAll([&] { return AAXRegisterPlugin(host, definition); });
}
ACF_EXPORT ACFRESULT ACFRegisterComponent(IACFUnknown* host, acfUInt32 index, IACFComponentDefinition** definition) {
    return ACFCatchAll([&] { return AAXRegisterComponent(host, index, definition); });
}
ACF_EXPORT ACFRESULT ACFGetClassFactory(IACFUnknown* host, const acfCLSID& clsid, const acfIID& iid, void** out) {
    return ACFCatchAll([&] { return AAXGetClassFactory(host, clsid, iid, out); });
}
ACF_EXPORT ACFRESULT ACFCanUnloadNow(IACFUnknown* host) { return ACFCatchAll([&] { return AAXCanUnloadNow(host); }); }
ACF_EXPORT ACFRESULT ACFShutdown(IACFUnknown* host) { return ACFCatchAll([&] { return AAXShutdown(host); }); }
}  // extern "C"
