#include "AudioRenderer.h"

#include <algorithm>
#include <exception>
#include <thread>

AudioRenderer::AudioRenderer(EffectInstance& instance, Options options)
    : m_Instance(instance), m_Options(std::move(options)) {}

bool AudioRenderer::Render(const AudioChannels& input, std::vector<ParameterChange> changes, AudioChannels* output,
                           std::string* error) {
    const size_t channels = static_cast<size_t>(m_Instance.Channels());
    if (input.size() != channels) {
        if (error) *error = "the input has " + std::to_string(input.size()) + " channels, the instance " +
                            std::to_string(channels);
        return false;
    }
    for (const std::vector<float>& channel : input)
        if (channel.size() != input[0].size()) {
            if (error) *error = "the input's channels differ in length";
            return false;
        }
    if (m_Options.blockSize < 1 || m_Options.alignLatency < 0) {
        if (error) *error = "the block size must be positive and the latency not negative";
        return false;
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const ParameterChange& a, const ParameterChange& b) { return a.position < b.position; });

    AudioChannels raw;
    bool rendered = false;
    std::string renderError;
    std::thread renderThread([&] {
        // An exception may not leave a thread: bring it back as a failure.
        try {
            rendered = RenderHere(input, changes, &raw, &renderError);
        } catch (const std::exception& failure) {
            renderError = std::string("the render stopped: ") + failure.what();
        }
    });
    renderThread.join();
    if (!rendered) {
        if (error) *error = renderError;
        return false;
    }
    const int64_t latency = m_Options.alignLatency;
    for (std::vector<float>& channel : raw) channel.erase(channel.begin(), channel.begin() + latency);
    *output = std::move(raw);
    return true;
}

bool AudioRenderer::RenderHere(const AudioChannels& input, const std::vector<ParameterChange>& changes,
                               AudioChannels* raw, std::string* error) {
    const int64_t length = input.empty() ? 0 : static_cast<int64_t>(input[0].size());
    const int64_t total = length + m_Options.alignLatency;
    // The input with the flush tail of silence, and the output beside it.
    AudioChannels padded(input.size());
    raw->assign(input.size(), std::vector<float>(static_cast<size_t>(total), 0.0f));
    std::vector<float*> inputs, outputs;
    for (size_t channel = 0; channel < input.size(); ++channel) {
        padded[channel].assign(static_cast<size_t>(total), 0.0f);
        std::copy(input[channel].begin(), input[channel].end(), padded[channel].begin());
        inputs.push_back(padded[channel].data());
        outputs.push_back((*raw)[channel].data());
    }

    m_Blocks.clear();
    auto nextChange = changes.begin();
    for (int64_t position = 0; position < total;) {
        for (; nextChange != changes.end() && nextChange->position <= position; ++nextChange) {
            const AAX_Result result =
                m_Instance.ApplyAutomation(nextChange->parameterID.c_str(), nextChange->normalizedValue);
            if (result != AAX_SUCCESS) {
                if (error) *error = "cannot set parameter '" + nextChange->parameterID + "' at sample " +
                                    std::to_string(nextChange->position) + " (result " + std::to_string(result) + ")";
                return false;
            }
        }
        int64_t end = std::min(position + m_Options.blockSize, total);
        if (nextChange != changes.end()) end = std::min(end, nextChange->position);
        const int32_t frames = static_cast<int32_t>(end - position);

        for (size_t channel = 0; channel < inputs.size(); ++channel) {
            inputs[channel] = padded[channel].data() + position;
            outputs[channel] = (*raw)[channel].data() + position;
        }
        const AAX_Result result = m_Instance.ProcessBlock(inputs.data(), outputs.data(), frames);
        if (result != AAX_SUCCESS) {
            if (error) *error = "the effect failed to generate its coefficients at sample " +
                                std::to_string(position) + " (result " + std::to_string(result) + ")";
            return false;
        }
        if (m_Options.recordBlocks) m_Blocks.push_back(Block{position, frames});
        position = end;
        if (m_Options.progress) m_Options.progress(position, total);
    }
    return true;
}
