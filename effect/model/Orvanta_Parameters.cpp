#include "effect/model/Orvanta_Parameters.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_IController.h"
#include "ModuleQueries.h"
#include "effect/Orvanta_Defs.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/dsp/Orvanta_ChannelState.h"
#include "effect/model/Orvanta_ParameterTable.h"

using namespace Orvanta;

namespace {

// The knob packet while the master bypass is on: no blend, no dynamics,
// unity gain, dither off, colour type 1.
constexpr SOrvanta_Knob_Packet kBypassPacket = {0.0f, 0.0f, 1.0f, kDitherOff, kColorMin};

// A parameter as the table describes it. The bypass takes the identifier
// the base reports for the master bypass.
AAX_IParameter* NewParameter(const SParameterInfo& info, const char* identifier) {
    AAX_IParameter* parameter = nullptr;
    switch (info.taper) {
        case ETaper::Binary:
            parameter = new AAX_CParameter<bool>(
                identifier, AAX_CString(info.name), info.defaultValue != 0.0, AAX_CBinaryTaperDelegate<bool>(),
                AAX_CBinaryDisplayDelegate<bool>(info.valueNames[0].name, info.valueNames[1].name), true);
            break;
        case ETaper::Linear:
            parameter = new AAX_CParameter<float>(
                identifier, AAX_CString(info.name), float(info.defaultValue),
                AAX_CLinearTaperDelegate<float, 0>(float(info.minimum), float(info.maximum)),
                AAX_CNumberDisplayDelegate<float, 2u, 0u>(), true);
            break;
        case ETaper::LinearStepped:
            parameter = new AAX_CParameter<int32_t>(
                identifier, AAX_CString(info.name), int32_t(info.defaultValue),
                AAX_CLinearTaperDelegate<int32_t, 1000>(int32_t(info.minimum), int32_t(info.maximum)),
                AAX_CNumberDisplayDelegate<int32_t, 2u, 0u>(), true);
            break;
    }
    parameter->SetNumberOfSteps(info.steps);
    if (info.discrete) parameter->SetType(AAX_eParameterType_Discrete);
    return parameter;
}

// One packet field from one parameter, by the table's mapping. False when
// the parameter cannot be read; the field then keeps what it held.
bool FillField(const AAX_IParameter& parameter, const SParameterInfo& info, SOrvanta_Knob_Packet* knobs) {
    float real = 0.0f;
    int32_t whole = 0;
    switch (info.packetMapping) {
        case EPacketMapping::None: return true;
        case EPacketMapping::Percent:
        case EPacketMapping::DecibelGain:
            if (!parameter.GetValueAsFloat(&real)) return false;
            break;
        case EPacketMapping::Whole:
            if (!parameter.GetValueAsInt32(&whole)) return false;
            break;
    }
    const float mapped = info.packetMapping == EPacketMapping::Percent
                             ? real / 100.0f
                             : float(std::pow(10.0, double(real / 20.0f)));
    switch (info.packetField) {
        case EPacketField::None: break;
        case EPacketField::Harmonic: knobs->m_fHarmonic = mapped; break;
        case EPacketField::Dynamic: knobs->m_fDynamic = mapped; break;
        case EPacketField::OutputGain: knobs->m_fOutputGain = mapped; break;
        case EPacketField::Dither: knobs->m_iDither = whole; break;
        case EPacketField::Color: knobs->m_iColor = whole; break;
    }
    return true;
}

// "<identifier>\t<normalized>\t<word>\n" for every value word of the
// stepped parameters, with a decimal point whatever the locale.
std::string ValueNamesText() {
    std::string text;
    for (size_t p = 0; p < kParameterCount; ++p) {
        const SParameterInfo& info = Parameters()[p];
        if (info.taper != ETaper::LinearStepped) continue;
        for (size_t i = 0; i < info.valueNameCount; ++i) {
            char number[40];
            std::snprintf(number, sizeof number, "%.17g", NormalizedOf(info, info.valueNames[i].value));
            const char point = *std::localeconv()->decimal_point;
            for (char* c = number; *c; ++c)
                if (*c == point) *c = '.';
            text += std::string(info.identifier) + "\t" + number + "\t" + info.valueNames[i].name + "\n";
        }
    }
    return text;
}

// "<identifier>\t<role>\n" for every parameter with a role.
std::string RolesText() {
    std::string text;
    for (size_t p = 0; p < kParameterCount; ++p) {
        const SParameterInfo& info = Parameters()[p];
        if (*info.role) text += std::string(info.identifier) + "\t" + info.role + "\n";
    }
    return text;
}

// Copies text into a host's buffer when it fits whole.
void Answer(const std::string& text, uint32_t dataSize, void* data, uint32_t* bytesWritten) {
    if (dataSize < text.size()) return;
    std::memcpy(data, text.data(), text.size());
    *bytesWritten = uint32_t(text.size());
}

}  // namespace

AAX_CEffectParameters* Orvanta_Parameters::Create() { return new Orvanta_Parameters(); }

AAX_Result Orvanta_Parameters::EffectInit() {
    // The bypass parameter takes whatever identifier the base reports for the
    // master bypass: nothing is registered yet, so that is the empty string.
    AAX_CString bypassID;
    GetMasterBypassParameter(&bypassID);
    for (size_t p = 0; p < kParameterCount; ++p) {
        const SParameterInfo& info = Parameters()[p];
        const bool bypass = info.taper == ETaper::Binary;
        m_ParameterManager.AddParameter(NewParameter(info, bypass ? bypassID.Get() : info.identifier));
    }
    // One knob packet for field 0, refilled whenever any of the six changes.
    for (size_t p = 0; p < kParameterCount; ++p) {
        const SParameterInfo& info = Parameters()[p];
        const char* identifier = info.taper == ETaper::Binary ? bypassID.Get() : info.identifier;
        m_PacketDispatcher.RegisterPacket(identifier, kField_KnobPacket, this, &Orvanta_Parameters::UpdatePacket_AllKnobs);
    }
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
    for (size_t p = 0; p < kParameterCount; ++p) {
        const SParameterInfo& info = Parameters()[p];
        if (info.packetMapping == EPacketMapping::None) continue;
        const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(info.identifier);
        if (!parameter || !FillField(*parameter, info, knobs)) result = AAX_ERROR_NULL_OBJECT;
    }
    return result;
}

AAX_Result Orvanta_Parameters::GetCustomData(AAX_CTypeID dataBlockID, uint32_t dataSize, void* data,
                                             uint32_t* bytesWritten) const {
    if (!bytesWritten) return AAX_ERROR_NULL_OBJECT;
    *bytesWritten = 0;
    if (!data) return AAX_SUCCESS;
    if (dataBlockID == ModuleQuery::kSignalDelay) {
        AAX_CSampleRate sampleRate = 0.0f;
        const AAX_IController* controller = Controller();
        if (!controller || controller->GetSampleRate(&sampleRate) != AAX_SUCCESS) return AAX_SUCCESS;
        const int32_t delay = SignalDelaySamples(sampleRate);
        if (dataSize < sizeof delay) return AAX_SUCCESS;
        std::memcpy(data, &delay, sizeof delay);
        *bytesWritten = sizeof delay;
    } else if (dataBlockID == ModuleQuery::kValueNames) {
        Answer(ValueNamesText(), dataSize, data, bytesWritten);
    } else if (dataBlockID == ModuleQuery::kParameterRoles) {
        Answer(RolesText(), dataSize, data, bytesWritten);
    }
    return AAX_SUCCESS;
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
