// Renders a whole signal through one effect instance, as a host bounces a
// track offline: in host blocks of a chosen size, applying parameter changes
// (host automation) at given sample positions. A block that would straddle a
// change is split there, so a change at sample 1000 affects sample 1000 and
// nothing before it.
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

    // The blocks of the last render, in order, when recordBlocks was set.
    const std::vector<Block>& Blocks() const { return m_Blocks; }

private:
    // The render itself, on the render thread.
    bool RenderHere(const AudioChannels& input, const std::vector<ParameterChange>& changes, AudioChannels* raw,
                    std::string* error);

    EffectInstance& m_Instance;
    Options m_Options;
    std::vector<Block> m_Blocks;
};
