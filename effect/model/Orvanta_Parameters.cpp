#include "effect/model/Orvanta_Parameters.h"

#include <cmath>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_IController.h"
#include "effect/Orvanta_Defs.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/dsp/Orvanta_ChannelState.h"

using namespace Orvanta;

namespace {

// The knob packet while the master bypass is on: no blend, no dynamics,
// unity gain, dither off, colour type 1.
constexpr SOrvanta_Knob_Packet kBypassPacket = {0.0f, 0.0f, 1.0f, kDitherOff, kColorMin};

// The three continuous knobs share everything but their range and steps.
AAX_IParameter* NewPercentOrDecibelParameter(const char* identifier, float minimum, float maximum,
                                             float defaultValue, uint32_t numSteps) {
    auto* parameter = new AAX_CParameter<float>(identifier, AAX_CString(identifier), defaultValue,
                                                AAX_CLinearTaperDelegate<float, 0>(minimum, maximum),
                                                AAX_CNumberDisplayDelegate<float, 2u, 0u>(), true);
    parameter->SetNumberOfSteps(numSteps);
    return parameter;
}

// "Dither" and "Color": integer switches.
AAX_IParameter* NewSwitchParameter(const char* identifier, int32_t minimum, int32_t maximum,
                                   int32_t defaultValue, uint32_t numSteps) {
    auto* parameter = new AAX_CParameter<int32_t>(identifier, AAX_CString(identifier), defaultValue,
                                                  AAX_CLinearTaperDelegate<int32_t, 1000>(minimum, maximum),
                                                  AAX_CNumberDisplayDelegate<int32_t, 2u, 0u>(), true);
    parameter->SetNumberOfSteps(numSteps);
    parameter->SetType(AAX_eParameterType_Discrete);
    return parameter;
}

}  // namespace

AAX_CEffectParameters* Orvanta_Parameters::Create() { return new Orvanta_Parameters(); }

AAX_Result Orvanta_Parameters::EffectInit() {
    // The bypass parameter takes whatever identifier the base reports for the
    // master bypass: nothing is registered yet, so that is the empty string.
    AAX_CString bypassID;
    GetMasterBypassParameter(&bypassID);
    auto* bypass = new AAX_CParameter<bool>(bypassID.Get(), AAX_CString("Master Bypass"), false,
                                            AAX_CBinaryTaperDelegate<bool>(),
                                            AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
    bypass->SetNumberOfSteps(2);
    bypass->SetType(AAX_eParameterType_Discrete);
    m_ParameterManager.AddParameter(bypass);

    m_ParameterManager.AddParameter(NewPercentOrDecibelParameter(kParamID_Dynamic, 0.0f, 100.0f, 0.0f, 400));
    m_ParameterManager.AddParameter(NewPercentOrDecibelParameter(kParamID_Harmonic, 0.0f, 100.0f, 0.0f, 400));
    m_ParameterManager.AddParameter(NewPercentOrDecibelParameter(kParamID_OutputTrim, -6.0f, 6.0f, 0.0f, 60));
    m_ParameterManager.AddParameter(NewSwitchParameter(kParamID_Dither, kDitherOff, kDitherOn, kDitherOff, 2));
    m_ParameterManager.AddParameter(NewSwitchParameter(kParamID_Color, kColorMin, kColorMax, 2, 5));

    // One knob packet for field 0, refilled whenever any of the six changes.
    const char* const routedIDs[] = {bypassID.Get(), kParamID_Harmonic, kParamID_OutputTrim,
                                     kParamID_Dynamic, kParamID_Dither, kParamID_Color};
    for (const char* identifier : routedIDs)
        m_PacketDispatcher.RegisterPacket(identifier, kField_KnobPacket, this, &Orvanta_Parameters::UpdatePacket_AllKnobs);
    return AAX_SUCCESS;
}

AAX_Result Orvanta_Parameters::UpdatePacket_AllKnobs(AAX_CPacket& packet) {
    packet.SetSize(sizeof(SOrvanta_Knob_Packet));
    SOrvanta_Knob_Packet* knobs = packet.GetPtr<SOrvanta_Knob_Packet>();

    AAX_CString bypassID;
    GetMasterBypassParameter(&bypassID);
    const AAX_IParameter* bypass = m_ParameterManager.GetParameterByID(bypassID.Get());
    bool bypassed = false;
    if (bypass && bypass->GetValueAsBool(&bypassed) && bypassed) {
        *knobs = kBypassPacket;
        return AAX_SUCCESS;
    }

    AAX_Result result = AAX_SUCCESS;
    auto readFloat = [&](const char* identifier, float* value) {
        const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(identifier);
        const bool read = parameter && parameter->GetValueAsFloat(value);
        if (!read) result = AAX_ERROR_NULL_OBJECT;
        return read;
    };
    auto readInt32 = [&](const char* identifier, int32_t* value) {
        const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(identifier);
        const bool read = parameter && parameter->GetValueAsInt32(value);
        if (!read) result = AAX_ERROR_NULL_OBJECT;
        return read;
    };

    float value = 0.0f;
    if (readFloat(kParamID_Harmonic, &value)) knobs->m_fHarmonic = value / 100.0f;
    if (readFloat(kParamID_Dynamic, &value)) knobs->m_fDynamic = value / 100.0f;
    if (readFloat(kParamID_OutputTrim, &value))
        knobs->m_fOutputGain = float(std::pow(10.0, double(value / 20.0f)));
    int32_t switchValue = 0;
    if (readInt32(kParamID_Dither, &switchValue)) knobs->m_iDither = switchValue;
    if (readInt32(kParamID_Color, &switchValue)) knobs->m_iColor = switchValue;
    return result;
}

AAX_Result Orvanta_Parameters::ResetFieldData(AAX_CFieldIndex fieldIndex, void* data, uint32_t dataSize) const {
    if (fieldIndex != kField_PrivateData) return AAX_ERROR_UNKNOWN_FIELD;
    AAX_CSampleRate sampleRate = 0.0f;
    const AAX_IController* controller = Controller();
    if (!controller) return AAX_ERROR_NULL_OBJECT;
    const AAX_Result result = controller->GetSampleRate(&sampleRate);
    if (result != AAX_SUCCESS) return result;
    Orvanta_InitChannelStates(sampleRate, data, dataSize);
    return AAX_SUCCESS;
}
