#include "EffectInstance.h"

#include <algorithm>

#include "AAX_UIDs.h"
#include "host/runtime/FailWithMessage.h"
#include "host/runtime/FloatingPointModeScope.h"

namespace {
std::string ResultText(AAX_Result result) { return "result " + std::to_string(result); }
}  // namespace

EffectInstance::EffectInstance(const Setup& setup)
    : m_Setup(setup),
      m_Controller(HostController::Create(setup.sampleRate, setup.stemFormat, setup.stemFormat)),
      m_Automation(HostAutomationDelegate::Create()),
      m_Transport(HostTransport::Create(setup.sampleRate)) {
    m_Controller->AttachAutomationDelegate(m_Automation.get());
    m_Controller->AttachTransport(m_Transport.get());
    m_Requests.reserve(HostAutomationDelegate::kReservedRequests);
}

std::unique_ptr<EffectInstance> EffectInstance::Create(const Parts& parts, const Setup& setup, std::string* error) {
    std::unique_ptr<EffectInstance> instance(new EffectInstance(setup));
    instance->m_DataModel.attach(parts.dataModel);
    if (!instance->Start(parts, error)) return nullptr;
    return instance;
}

bool EffectInstance::Start(const Parts& parts, std::string* error) {
    if (!m_DataModel) return Fail(error, "the module created no data model");
    if (!parts.component) return Fail(error, "the module describes no component for this channel layout");
    if (!parts.processProc) return Fail(error, "the component has no native process procedure for this sample rate");
    if (m_Setup.maxBlockSize < 1) return Fail(error, "the largest block must hold at least one sample");
    m_ProcessProc = parts.processProc;
    // The registration this rate and layout use (one procedure may be
    // registered for several rate pairs, each with its own properties).
    const RecordedProcessProc* registration =
        parts.component->FindNativeProc(SampleRateMaskBit(m_Setup.sampleRate), m_Setup.stemFormat);
    if (registration && registration->processProc == parts.processProc)
        FindProperty(registration->properties, AAX_eProperty_LatencyContribution, &m_LatencyProperty);

    m_Parameters = ACFPtr<AAX_IACFEffectParameters>(IID_IAAXEffectParametersV1, m_DataModel.get());
    if (!m_Parameters) return Fail(error, "the data model does not offer the effect-parameters interface");
    m_Controller->AttachEffectParameters(m_DataModel.get());
    m_Initialized = true;
    const AAX_Result initialized = m_Parameters->Initialize(HostObject());
    if (initialized != AAX_SUCCESS) return Fail(error, "the data model failed to initialise (" + ResultText(initialized) + ")");

    AlgorithmContext::Setup contextSetup;
    contextSetup.sampleRate = m_Setup.sampleRate;
    contextSetup.channels = AAX_STEM_FORMAT_CHANNEL_COUNT(m_Setup.stemFormat);
    contextSetup.maxBlockSize = m_Setup.maxBlockSize;
    std::string contextError;
    m_Context = AlgorithmContext::Create(*parts.component, contextSetup, &contextError);
    if (!m_Context) return Fail(error, "cannot lay out the algorithm context: " + contextError);
    m_PieceInputs.assign(static_cast<size_t>(Channels()), nullptr);
    m_PieceOutputs.assign(static_cast<size_t>(Channels()), nullptr);
    const AAX_Result reset = ResetAlgorithm();
    if (reset != AAX_SUCCESS)
        return Fail(error, "the data model could not initialise the algorithm's private data (" + ResultText(reset) + ")");
    return true;
}

EffectInstance::~EffectInstance() {
    m_Editor.reset();
    // Uninitialize ends the data model's references to the host objects, so
    // that the controller's reference to the data model can go last.
    if (m_Initialized) m_Parameters->Uninitialize();
    m_Controller->AttachEffectParameters(nullptr);
    m_Parameters.reset();
    m_DataModel.reset();
    m_Controller->AttachAutomationDelegate(nullptr);
    m_Controller->AttachTransport(nullptr);
}

size_t EffectInstance::AnswerRequests() {
    m_Automation->TakeSetValueRequests(&m_Requests);
    size_t answered = 0;
    for (const HostAutomationDelegate::SetValueRequest& request : m_Requests) {
        // The user's gesture wins over playback: a control being dragged
        // would otherwise show its own value while the parameter holds
        // the playback's. The touch is read here, on the thread that
        // touches, so no gesture can begin between the test and the answer.
        if (request.origin == HostAutomationDelegate::SetValueRequest::Origin::Playback &&
            m_Automation->IsTouched(request.parameterID))
            continue;
        m_Parameters->UpdateParameterNormalizedValue(request.parameterID.c_str(), request.normalizedValue,
                                                     AAX_eUpdateSource_Parameter);
        TellEditor(request.parameterID.c_str());
        ++answered;
    }
    m_Requests.clear();
    return answered;
}

AAX_Result EffectInstance::ApplyAutomation(const char* parameterID, double normalizedValue) {
    const AAX_Result result =
        m_Parameters->UpdateParameterNormalizedValue(parameterID, normalizedValue, AAX_eUpdateSource_Unspecified);
    if (result == AAX_SUCCESS) TellEditor(parameterID);
    return result;
}

void EffectInstance::AttachEditor(IACFUnknown* editor) {
    m_Editor = ACFPtr<AAX_IACFEffectGUI>(IID_IAAXEffectGUIV1, editor);
}

void EffectInstance::TellEditor(const char* parameterID) {
    if (m_Editor) m_Editor->ParameterUpdated(parameterID);
}

AAX_Result EffectInstance::ResetAlgorithm() {
    for (const AlgorithmContext::Block& block : m_Context->PrivateData()) {
        const AAX_Result result = m_Parameters->ResetFieldData(block.field, block.data, block.size);
        if (result != AAX_SUCCESS) return result;
    }
    return AAX_SUCCESS;
}

int32_t EffectInstance::ReportedLatency() const {
    const int32_t fromController = m_Controller->SignalLatency();
    return fromController > 0 ? fromController : std::max(m_LatencyProperty, 0);
}

void EffectInstance::DeliverPackets() {
    for (const AlgorithmContext::Block& port : m_Context->DataInPorts()) {
        // Each packet is a complete snapshot of its field: the newest one
        // that fits is what the next block must see.
        m_Controller->TakePacketsNewestFirst(port.field, [&](const HostController::Packet& packet) {
            if (m_Context->DeliverPacket(port.field, packet.data(), packet.size())) return true;
            ++m_RefusedPackets;
            return false;
        });
    }
}

AAX_Result EffectInstance::ProcessBlock(float* const* inputs, float* const* outputs, int32_t frames) {
    if (frames <= 0) return AAX_SUCCESS;
    const AAX_Result coefficients = PrepareBlock();
    RenderBlock(inputs, outputs, frames);
    return coefficients;
}

AAX_Result EffectInstance::PrepareBlock() {
    AnswerRequests();
    const AAX_Result coefficients = m_Parameters->GenerateCoefficients();
    DeliverPackets();
    return coefficients;
}

void EffectInstance::RenderBlock(float* const* inputs, float* const* outputs, int32_t frames) {
    const size_t channels = static_cast<size_t>(Channels());
    for (int32_t done = 0; done < frames;) {
        const int32_t length = std::min(frames - done, m_Setup.maxBlockSize);
        // A long block is processed in pieces, each pointing into the caller's buffers.
        for (size_t channel = 0; channel < channels; ++channel) {
            m_PieceInputs[channel] = inputs[channel] + done;
            m_PieceOutputs[channel] = outputs[channel] + done;
        }
        m_Context->BeginBlock(m_PieceInputs.data(), m_PieceOutputs.data(), length);
        {
            FloatingPointModeScope flushDenormals;
            void* const batch[1] = {m_Context->Record()};
            m_ProcessProc(batch, batch + 1);
        }
        m_Context->EndBlock(length);
        m_Transport->Advance(length);
        done += length;
    }
}
