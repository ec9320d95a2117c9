#include "AlgorithmContext.h"

#include <algorithm>
#include <cstring>

using Kind = RecordedField::Kind;

std::unique_ptr<AlgorithmContext> AlgorithmContext::Create(const RecordedComponent& component, const Setup& setup,
                                                           std::string* error) {
    std::unique_ptr<AlgorithmContext> context(new AlgorithmContext());
    context->m_Setup = setup;
    context->m_SampleRate = setup.sampleRate;
    context->m_Inputs.assign(static_cast<size_t>(std::max(setup.channels, 0)), nullptr);
    context->m_Outputs.assign(context->m_Inputs.size(), nullptr);

    AAX_CFieldIndex highest = -1;
    bool hasInput = false, hasOutput = false;
    for (const RecordedField& field : component.fields) {
        if (field.index < 0 || field.index > kMaxFieldIndex) {
            if (error) *error = "context field index " + std::to_string(field.index) + " is out of range";
            return nullptr;
        }
        highest = std::max(highest, field.index);
        hasInput |= field.kind == Kind::AudioIn;
        hasOutput |= field.kind == Kind::AudioOut;
    }
    if (!hasInput || !hasOutput) {
        if (error) *error = "the component declares no audio input or no audio output";
        return nullptr;
    }
    context->m_Record.assign(static_cast<size_t>(highest + 1), nullptr);
    for (const RecordedField& field : component.fields)
        if (!context->Bind(field, error)) return nullptr;
    return context;
}

AlgorithmContext::Block AlgorithmContext::NewBlock(AAX_CFieldIndex field, size_t size) {
    const size_t elements = std::max<size_t>(1, (size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t));
    m_Storage.emplace_back(new std::max_align_t[elements]);
    std::memset(m_Storage.back().get(), 0, elements * sizeof(std::max_align_t));
    return Block{field, m_Storage.back().get(), static_cast<uint32_t>(size)};
}

bool AlgorithmContext::Bind(const RecordedField& field, std::string* error) {
    void*& slot = m_Record[static_cast<size_t>(field.index)];
    switch (field.kind) {
        case Kind::AudioIn: slot = m_Inputs.data(); return true;
        case Kind::AudioOut: slot = m_Outputs.data(); return true;
        case Kind::AudioBufferLength: slot = &m_BufferLength; return true;
        case Kind::SampleRate: slot = &m_SampleRate; return true;
        case Kind::Clock: slot = &m_Clock; return true;
        case Kind::DataInPort:
            m_DataInPorts.push_back(NewBlock(field.index, field.size));
            slot = m_DataInPorts.back().data;
            return true;
        case Kind::PrivateData:
            m_PrivateData.push_back(NewBlock(field.index, field.size));
            slot = m_PrivateData.back().data;
            return true;
        case Kind::TemporaryData:
            slot = NewBlock(field.index, size_t(field.size) * size_t(std::max(m_Setup.maxBlockSize, 1))).data;
            return true;
        case Kind::Meters: slot = NewBlock(field.index, sizeof(float) * field.meterIDs.size()).data; return true;
        default:
            if (error)
                *error = "context field " + std::to_string(field.index) + " (" + RecordedField::KindName(field.kind) +
                         ") is not offered by this host";
            return false;
    }
}

bool AlgorithmContext::DeliverPacket(AAX_CFieldIndex field, const void* data, size_t size) {
    for (const Block& port : m_DataInPorts) {
        if (port.field != field) continue;
        if (size != port.size || (size > 0 && !data)) return false;
        if (size > 0) std::memcpy(port.data, data, size);
        return true;
    }
    return false;
}

void AlgorithmContext::BeginBlock(float* const* inputs, float* const* outputs, int32_t frames) noexcept {
    for (size_t channel = 0; channel < m_Inputs.size(); ++channel) {
        m_Inputs[channel] = inputs[channel];
        m_Outputs[channel] = outputs[channel];
    }
    m_BufferLength = frames;
}
