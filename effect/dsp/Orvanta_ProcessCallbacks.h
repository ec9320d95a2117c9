// The bodies of the two process callbacks, compiled once per instruction-set
// variant (Orvanta_ProcessBaseline.cpp, Orvanta_ProcessAvx2.cpp,
// Orvanta_ProcessAvx512.cpp) inside the
// variant's namespace; Orvanta_AlgorithmProcess.cpp calls the variant chosen
// at start-up.
#pragma once

#include <cstdint>

#include "effect/dsp/Orvanta_NoiseSource.h"
#include "effect/dsp/Orvanta_SignalChain.h"
#include "effect/dsp/Orvanta_TransferCurve.h"

namespace OrvantaChain {
inline namespace ORVANTA_SIMD_NAMESPACE {

// The instances of one batch, in array order. A backwards end pointer gives
// no instances.
template <typename Visit>
inline void forEachInstance(SOrvanta_Alg_Context* const begin[], const void* end, Visit visit) {
    const auto* last = static_cast<SOrvanta_Alg_Context* const*>(end);
    for (SOrvanta_Alg_Context* const* it = begin; it < last; ++it) {
        SOrvanta_Alg_Context* context = *it;
        // A context without its records or buffers has nothing to process.
        if (context == nullptr || context->m_pPacket == nullptr || context->m_pPrivateData == nullptr ||
            context->m_ppInputs == nullptr || context->m_ppOutputs == nullptr ||
            context->m_pBufferLength == nullptr)
            continue;
        const int32_t n = *context->m_pBufferLength;
        if (n <= 0) continue;
        visit(*context, n);
    }
}

// True when a channel's output shares memory with its input other than by
// being the very same buffer.
inline bool shiftedInPlace(const ChannelIO& io, int32_t n) { return io.in != io.out && overlap(io.in, io.out, n); }

// The mono callback. Audio thread; see Orvanta_AlgorithmProcessFunction.
inline void processMono(SOrvanta_Alg_Context* const inInstancesBegin[], const void* inInstancesEnd) {
    Orvanta_NoiseSource& threadNoise = Orvanta_NoiseSource::ThisThread();
    Orvanta_NoiseSource noise = threadNoise;
    NoiseFeed<1> feed = {{&noise}, {nullptr}};
    forEachInstance(inInstancesBegin, inInstancesEnd, [&](SOrvanta_Alg_Context& context, int32_t n) {
        SOrvanta_Channel_State& first = context.m_pPrivateData->m_Channels[0];
        const BlockSetup setup = prepareBlock(*context.m_pPacket, first);
        const ChannelIO io[1] = {{&first, context.m_ppInputs[0], context.m_ppOutputs[0]}};
        runChannels<OneLane, TransferCurve::Signed>(setup, io, n, feed, shiftedInPlace(io[0], n));
    });
    threadNoise = noise;
}

// Blocks up to this length draw both channels' noise at once (8 KiB of stack).
constexpr int32_t kMaxPreDrawn = 1024;

// The stereo callback. Audio thread; see Orvanta_AlgorithmProcessFunctionStereo.
inline void processStereo(SOrvanta_Alg_Context* const inInstancesBegin[], const void* inInstancesEnd) {
    Orvanta_NoiseSource& threadNoise = Orvanta_NoiseSource::ThisThread();
    Orvanta_NoiseSource noise = threadNoise;
    forEachInstance(inInstancesBegin, inInstancesEnd, [&](SOrvanta_Alg_Context& context, int32_t n) {
        SOrvanta_Private_Data& data = *context.m_pPrivateData;
        const BlockSetup setup = prepareBlock(*context.m_pPacket, data.m_Channels[0]);
        const ChannelIO left = {&data.m_Channels[0], context.m_ppInputs[0], context.m_ppOutputs[0]};
        const ChannelIO right = {&data.m_Channels[1], context.m_ppInputs[1], context.m_ppOutputs[1]};

        if (overlap(left.out, right.in, n) || overlap(right.out, left.in, n)) {
            // One channel's output is the other's input: run them one after
            // the other, as their order defines.
            NoiseFeed<1> feed = {{&noise}, {nullptr}};
            runChannels<OneLane, TransferCurve::Offset>(setup, {left}, n, feed, shiftedInPlace(left, n));
            runChannels<OneLane, TransferCurve::Offset>(setup, {right}, n, feed, shiftedInPlace(right, n));
            return;
        }
        // Both channels run side by side in the two lanes. Channel 0 takes
        // the block's first n draws and channel 1 the next n: drawn once
        // before the block where they fit on the stack, else from a second
        // generator that starts n draws ahead.
        const ChannelIO io[2] = {left, right};
        const bool samplePerRun = shiftedInPlace(left, n) || shiftedInPlace(right, n);
        if (n <= kMaxPreDrawn) {
            uint32_t drawn[2 * kMaxPreDrawn];
            noise.Fill(drawn, 2 * n);
            NoiseFeed<2> feed = {{nullptr, nullptr}, {drawn, drawn + n}};
            runChannels<TwoLanes, TransferCurve::Offset>(setup, io, n, feed, samplePerRun);
            return;
        }
        Orvanta_NoiseSource second = noise;
        second.Skip(n);
        NoiseFeed<2> feed = {{&noise, &second}, {nullptr, nullptr}};
        runChannels<TwoLanes, TransferCurve::Offset>(setup, io, n, feed, samplePerRun);
        noise = second;
    });
    threadNoise = noise;
}

}  // inline namespace ORVANTA_SIMD_NAMESPACE
}  // namespace OrvantaChain
