// Renders a signal through one effect instance, as a host bounces a track
// offline: in host blocks of a chosen size, applying parameter changes (host
// automation) at given sample positions. A block that would straddle a
// change is split there, so a change at sample 1000 affects sample 1000 and
// nothing before it.
//
// The signal streams: it is pulled from a source and pushed to a sink a
// chunk at a time, so a render holds a few blocks of audio whatever the
// signal's length.
//
// Each render runs on a fresh thread: the effect's noise source is per
// thread, so it starts the same way and every render of the same input and
// settings gives the same output.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/runtime/EffectInstance.h"

// Planar audio: one buffer per channel, all of one length.
using AudioChannels = std::vector<std::vector<float>>;

// A parameter set to a normalized value from a sample position on.
struct ParameterChange {
    int64_t position = 0;
    std::string parameterID;
    double normalizedValue = 0.0;
};

class AudioRenderer {
public:
    // Where a streamed render's input comes from. Called on the render thread.
    class Source {
    public:
        virtual ~Source() = default;
        // Fills channels (one buffer per channel) with up to frames samples
        // each; returns how many, 0 at the end of the signal, or -1 when the
        // render is to stop (the source keeps its own reason).
        virtual int64_t Read(float* const* channels, int64_t frames) = 0;
        // The signal's length when known in advance (for progress), else -1.
        virtual int64_t Length() const { return -1; }
    };
    // Where a streamed render's output goes, in order. Called on the render thread.
    class Sink {
    public:
        virtual ~Sink() = default;
        // Takes frames samples of every channel; false stops the render (the
        // sink keeps its own reason).
        virtual bool Write(const float* const* channels, int64_t frames) = 0;
    };

    struct Options {
        int32_t blockSize = 512;
        // The effect's delay in samples. When positive the render runs that
        // many samples of silence past the end and drops as many from the
        // start, so the output lines up with the input and has its length;
        // 0 gives the raw host output.
        int64_t alignLatency = 0;
        // Called on the render thread after every block with the samples
        // rendered so far and the total; may be empty.
        std::function<void(int64_t done, int64_t total)> progress;
        // Keep the list of processed blocks (Blocks()).
        bool recordBlocks = false;
    };
    // One host block as it was processed.
    struct Block {
        int64_t start = 0;
        int32_t frames = 0;
    };

    AudioRenderer(EffectInstance& instance, Options options);

    // Main thread: blocks until the render thread has finished. input holds
    // the instance's channel count of equally long buffers. Changes at or
    // before a block's start apply before it (in the order given for one
    // position); changes past the end never apply. False with a message when
    // the input does not fit the instance, a change names a parameter the
    // data model refuses, or the data model fails to generate its
    // coefficients.
    bool Render(const AudioChannels& input, std::vector<ParameterChange> changes, AudioChannels* output,
                std::string* error);
    // Main thread: the same render streamed from source to sink, both called
    // on the render thread; blocks until it has finished. False with a
    // message as Render, or "stopped by the source" / "stopped by the sink"
    // when one of them stopped it.
    bool RenderStream(Source& source, Sink& sink, std::vector<ParameterChange> changes, std::string* error);

    // The blocks of the last render, in order, when recordBlocks was set.
    const std::vector<Block>& Blocks() const { return m_Blocks; }

private:
    class Window;
    // The render itself, on the render thread.
    bool RenderHere(Source& source, Sink& sink, const std::vector<ParameterChange>& changes, std::string* error);
    bool ApplyChangesAt(int64_t position, std::vector<ParameterChange>::const_iterator* next,
                        std::vector<ParameterChange>::const_iterator end, std::string* error);

    EffectInstance& m_Instance;
    Options m_Options;
    std::vector<Block> m_Blocks;
};
