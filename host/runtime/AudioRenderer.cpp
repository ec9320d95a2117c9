#include "AudioRenderer.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <thread>

namespace {
// Frames read from the source at a time (more when a block is longer).
constexpr int64_t kChunkFrames = 8192;

// A whole signal in memory, as a source.
class MemorySource : public AudioRenderer::Source {
public:
    explicit MemorySource(const AudioChannels& input) : m_Input(input) {}
    int64_t Read(float* const* channels, int64_t frames) override {
        const int64_t length = Length();
        const int64_t count = std::min(frames, length - m_Position);
        for (size_t channel = 0; channel < m_Input.size(); ++channel)
            std::copy_n(m_Input[channel].data() + m_Position, count, channels[channel]);
        m_Position += count;
        return count;
    }
    int64_t Length() const override { return m_Input.empty() ? 0 : static_cast<int64_t>(m_Input[0].size()); }

private:
    const AudioChannels& m_Input;
    int64_t m_Position = 0;
};

// A whole signal collected in memory, as a sink.
class MemorySink : public AudioRenderer::Sink {
public:
    MemorySink(AudioChannels* output, size_t channels, size_t length) : m_Output(output) {
        output->assign(channels, std::vector<float>());
        for (std::vector<float>& channel : *output) channel.reserve(length);
    }
    bool Write(const float* const* channels, int64_t frames) override {
        for (size_t channel = 0; channel < m_Output->size(); ++channel)
            (*m_Output)[channel].insert((*m_Output)[channel].end(), channels[channel], channels[channel] + frames);
        return true;
    }

private:
    AudioChannels* m_Output;
};
}  // namespace

// The stretch of the signal around the block being processed: input frames
// [m_Base, m_Base + m_Filled) and their output, planar. The input is the
// source's signal followed by the flush tail of silence.
class AudioRenderer::Window {
public:
    Window(Source& source, size_t channels, int64_t capacity, int64_t tail)
        : m_Source(source), m_Capacity(capacity), m_Tail(tail),
          m_Input(channels, std::vector<float>(static_cast<size_t>(capacity))),
          m_Output(channels, std::vector<float>(static_cast<size_t>(capacity))),
          m_InputPointers(channels), m_OutputPointers(channels) {}

    // The end of the signal with its tail, once the source has ended; -1 before.
    int64_t Total() const { return m_Length < 0 ? -1 : m_Length + m_Tail; }

    // Makes frames [position, position + frames) present (fewer at the end
    // of the signal), writing out and dropping what lies before position
    // when the window must move. dropBefore: output frames before it are
    // not passed to the sink. False when the source or the sink stopped.
    bool Reach(int64_t position, int64_t frames, int64_t dropBefore, Sink& sink, bool* sinkStopped) {
        if (position - m_Base + frames > m_Capacity) {
            if (!Flush(position, dropBefore, sink)) {
                *sinkStopped = true;
                return false;
            }
            Shift(position);
        }
        for (;;) {
            // Past the signal's end only its tail is wanted.
            const int64_t wanted = Total() < 0 ? position + frames : std::min(position + frames, Total());
            if (m_Base + m_Filled >= wanted) return true;
            if (m_Length >= 0) {
                FillSilence(wanted);
                continue;
            }
            // As much as fits, so the source is asked a chunk at a time.
            PointAt(m_Filled);
            const int64_t count = m_Source.Read(m_InputPointers.data(), m_Capacity - m_Filled);
            if (count < 0) return false;
            if (count == 0) m_Length = m_Base + m_Filled;
            m_Filled += count;
        }
    }

    // Input and output pointers for the block at position.
    float* const* Inputs(int64_t position) {
        PointAt(position - m_Base);
        return m_InputPointers.data();
    }
    float* const* Outputs() { return m_OutputPointers.data(); }

    // Passes the output up to end, from dropBefore on, to the sink.
    bool Flush(int64_t end, int64_t dropBefore, Sink& sink) {
        const int64_t start = std::max(m_Flushed, dropBefore);
        m_Flushed = std::max(m_Flushed, end);
        if (start >= end) return true;
        PointAt(start - m_Base);
        return sink.Write(m_OutputPointers.data(), end - start);
    }

private:
    void PointAt(int64_t index) {
        for (size_t channel = 0; channel < m_Input.size(); ++channel) {
            m_InputPointers[channel] = m_Input[channel].data() + index;
            m_OutputPointers[channel] = m_Output[channel].data() + index;
        }
    }
    // Moves the window to start at position, keeping the input from there.
    void Shift(int64_t position) {
        const int64_t kept = m_Base + m_Filled - position;
        for (std::vector<float>& channel : m_Input)
            std::memmove(channel.data(), channel.data() + (position - m_Base), static_cast<size_t>(kept) * sizeof(float));
        m_Base = position;
        m_Filled = kept;
    }
    void FillSilence(int64_t end) {
        for (std::vector<float>& channel : m_Input)
            std::fill(channel.begin() + m_Filled, channel.begin() + (end - m_Base), 0.0f);
        m_Filled = end - m_Base;
    }

    Source& m_Source;
    const int64_t m_Capacity;
    const int64_t m_Tail;
    AudioChannels m_Input, m_Output;
    std::vector<float*> m_InputPointers, m_OutputPointers;
    int64_t m_Base = 0;
    int64_t m_Filled = 0;
    int64_t m_Length = -1;
    int64_t m_Flushed = 0;
};

AudioRenderer::AudioRenderer(EffectInstance& instance, Options options)
    : m_Instance(instance), m_Options(std::move(options)) {}

bool AudioRenderer::Render(const AudioChannels& input, std::vector<ParameterChange> changes, AudioChannels* output,
                           std::string* error) {
    for (const std::vector<float>& channel : input)
        if (channel.size() != input[0].size()) {
            if (error) *error = "the input's channels differ in length";
            return false;
        }
    const size_t channels = static_cast<size_t>(m_Instance.Channels());
    if (input.size() != channels) {
        if (error) *error = "the input has " + std::to_string(input.size()) + " channels, the instance " +
                            std::to_string(channels);
        return false;
    }
    MemorySource source(input);
    AudioChannels collected;
    MemorySink sink(&collected, channels, static_cast<size_t>(source.Length()));
    if (!RenderStream(source, sink, std::move(changes), error)) return false;
    *output = std::move(collected);
    return true;
}

bool AudioRenderer::RenderStream(Source& source, Sink& sink, std::vector<ParameterChange> changes,
                                 std::string* error) {
    if (m_Options.blockSize < 1 || m_Options.alignLatency < 0) {
        if (error) *error = "the block size must be positive and the latency not negative";
        return false;
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const ParameterChange& a, const ParameterChange& b) { return a.position < b.position; });

    bool rendered = false;
    std::string renderError;
    // One thread per render, never per block: the noise starts afresh once.
    std::thread renderThread([&] {
        // An exception may not leave a thread: bring it back as a failure.
        try {
            rendered = RenderHere(source, sink, changes, &renderError);
        } catch (const std::exception& failure) {
            renderError = std::string("the render stopped: ") + failure.what();
        }
    });
    renderThread.join();
    if (!rendered && error) *error = renderError;
    return rendered;
}

bool AudioRenderer::ApplyChangesAt(int64_t position, std::vector<ParameterChange>::const_iterator* next,
                                   std::vector<ParameterChange>::const_iterator end, std::string* error) {
    for (; *next != end && (*next)->position <= position; ++*next) {
        const AAX_Result result = m_Instance.ApplyAutomation((*next)->parameterID.c_str(), (*next)->normalizedValue);
        if (result != AAX_SUCCESS) {
            if (error) *error = "cannot set parameter '" + (*next)->parameterID + "' at sample " +
                                std::to_string((*next)->position) + " (result " + std::to_string(result) + ")";
            return false;
        }
    }
    return true;
}

bool AudioRenderer::RenderHere(Source& source, Sink& sink, const std::vector<ParameterChange>& changes,
                               std::string* error) {
    const int64_t block = m_Options.blockSize;
    const int64_t latency = m_Options.alignLatency;
    const int64_t progressTotal = source.Length() < 0 ? -1 : source.Length() + latency;
    Window window(source, static_cast<size_t>(m_Instance.Channels()), std::max(kChunkFrames, block), latency);
    bool sinkStopped = false;

    m_Blocks.clear();
    auto nextChange = changes.begin();
    for (int64_t position = 0;;) {
        if (!window.Reach(position, block, latency, sink, &sinkStopped)) {
            if (error) *error = sinkStopped ? "stopped by the sink" : "stopped by the source";
            return false;
        }
        if (window.Total() >= 0 && position >= window.Total()) break;
        if (!ApplyChangesAt(position, &nextChange, changes.end(), error)) return false;
        int64_t end = position + block;
        if (window.Total() >= 0) end = std::min(end, window.Total());
        if (nextChange != changes.end()) end = std::min(end, nextChange->position);
        const int32_t frames = static_cast<int32_t>(end - position);

        float* const* inputs = window.Inputs(position);
        const AAX_Result result = m_Instance.ProcessBlock(inputs, window.Outputs(), frames);
        if (result != AAX_SUCCESS) {
            if (error) *error = "the effect failed to generate its coefficients at sample " +
                                std::to_string(position) + " (result " + std::to_string(result) + ")";
            return false;
        }
        if (m_Options.recordBlocks) m_Blocks.push_back(Block{position, frames});
        position = end;
        if (m_Options.progress) m_Options.progress(position, progressTotal);
    }
    if (!window.Flush(window.Total(), latency, sink)) {
        if (error) *error = "stopped by the sink";
        return false;
    }
    return true;
}
