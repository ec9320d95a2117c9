// orvanta process IN OUT: renders an audio file through the effect.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "CommandRegistry.h"
#include "EffectSession.h"
#include "SoundFile.h"
#include "host/runtime/AudioRenderer.h"

namespace {

constexpr int64_t kDefaultBlockSize = 512;
constexpr int64_t kLargestBlockSize = 1 << 20;

// Samples beyond full scale, which an integer output clips.
int64_t CountOvers(const AudioChannels& audio) {
    int64_t overs = 0;
    for (const std::vector<float>& channel : audio)
        for (float sample : channel) overs += std::fabs(sample) > 1.0f ? 1 : 0;
    return overs;
}

struct ProcessArguments {
    std::string inputPath;
    std::string outputPath;
    int32_t blockSize = kDefaultBlockSize;
    bool keepLatency = false;
    bool quiet = false;
};

bool ReadArguments(const ParsedOptions& options, ProcessArguments* arguments, CliFailure* failure) {
    if (options.positionals.size() != 2) {
        *failure = CliFailure{ExitCode::kUsage, "process needs an input and an output file (see orvanta process --help)"};
        return false;
    }
    arguments->inputPath = options.positionals[0];
    arguments->outputPath = options.positionals[1];
    int64_t blockSize = kDefaultBlockSize;
    if (options.Has("--block") && !ParseInteger(options.Last("--block"), 1, kLargestBlockSize, &blockSize)) {
        *failure = CliFailure{ExitCode::kUsage, "--block needs a whole number of samples from 1 to " +
                                                    std::to_string(kLargestBlockSize) + ", not '" +
                                                    options.Last("--block") + "'"};
        return false;
    }
    arguments->blockSize = static_cast<int32_t>(blockSize);
    arguments->keepLatency = options.Has("--keep-latency");
    arguments->quiet = options.Has("--quiet");
    return true;
}

int RunProcess(const ParsedOptions& options) {
    ProcessArguments arguments;
    CliFailure failure;
    if (!ReadArguments(options, &arguments, &failure)) return Report(failure);

    AudioChannels input;
    SoundFileFormat inputFormat, outputFormat;
    if (!ReadSoundFile(arguments.inputPath, &input, &inputFormat, &failure)) return Report(failure);
    if (!ChooseOutputFormat(inputFormat, options.Last("--format"), options.Last("--subtype"), &outputFormat, &failure))
        return Report(failure);
    std::unique_ptr<EffectSession> session =
        EffectSession::Open(options, inputFormat.sampleRate, inputFormat.channels, arguments.blockSize, &failure);
    if (!session || !session->ApplySettings(options, &failure)) return Report(failure);

    TemporaryOutput output;
    if (!output.Create(arguments.outputPath, &failure)) return Report(failure);

    AudioRenderer::Options renderOptions;
    renderOptions.blockSize = arguments.blockSize;
    renderOptions.alignLatency = arguments.keepLatency ? 0 : session->Latency();
    ProgressBar progress("Processing", arguments.quiet);
    renderOptions.progress = [&progress](int64_t done, int64_t total) { progress.Update(done, total); };
    AudioRenderer renderer(session->Instance(), renderOptions);
    AudioChannels rendered;
    std::string error;
    const auto started = std::chrono::steady_clock::now();
    if (!renderer.Render(input, {}, &rendered, &error))
        return Report(CliFailure{ExitCode::kInternal, "rendering failed: " + error});
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    if (!WriteSoundFile(output.ReleaseDescriptor(), arguments.outputPath, rendered, outputFormat, &failure) ||
        !output.Commit(&failure))
        return Report(failure);

    if (!arguments.quiet) {
        const size_t frames = rendered.empty() ? 0 : rendered[0].size();
        const double duration = double(frames) / inputFormat.sampleRate;
        std::printf("Wrote %s: %.3f s, %s, %d Hz, %s; rendered at %.0fx real time\n", arguments.outputPath.c_str(),
                    duration, inputFormat.channels == 1 ? "mono" : "stereo", inputFormat.sampleRate,
                    DescribeFormat(outputFormat.format).c_str(), seconds > 0 ? duration / seconds : 0.0);
        const int64_t overs = IsFloatingPointFormat(outputFormat.format) ? 0 : CountOvers(rendered);
        if (overs > 0)
            std::printf("Note: %lld samples beyond full scale were clipped (a float output keeps them: --subtype float)\n",
                        static_cast<long long>(overs));
    }
    return ExitCode::kOk;
}

std::vector<OptionRule> ProcessOptions() {
    std::vector<OptionRule> options = EffectSession::SettingOptions();
    options.push_back({"--block", "N", "host block size in samples (default 512)"});
    options.push_back({"--keep-latency", "",
                       "write the raw host output, delayed by the effect's 7, 13 or 25 samples, instead of "
                       "output aligned with the input"});
    options.push_back({"--format", "EXT", "output container by file extension (wav, aiff, flac, caf, w64, ...); "
                                          "default: the input's"});
    options.push_back({"--subtype", "TYPE", "output sample type: pcm16, pcm24, pcm32, float or double; "
                                            "default: the input's"});
    return options;
}

const CommandRegistrar kRegistrar(Command{
    "process",
    "render an audio file through the effect",
    "orvanta process IN OUT [--preset FILE] [--set ID=VALUE]... [--bypass] [--block N]\n"
    "                       [--keep-latency] [--format EXT] [--subtype TYPE] [--quiet]",
    "Reads IN (WAV, AIFF, FLAC and whatever else libsndfile reads; mono or stereo at\n"
    "44.1, 48, 88.2, 96, 176.4 or 192 kHz), renders it through the effect with the\n"
    "given settings and writes OUT in the input's format unless --format or --subtype\n"
    "choose another. Integer samples are clipped at full scale, not wrapped around.\n"
    "The output is aligned with the input and has its length: the effect's delay is\n"
    "removed and its tail flushed through. Renders are reproducible: the same input\n"
    "and settings always give the same output. OUT appears only when complete.\n",
    ProcessOptions(),
    RunProcess,
});

}  // namespace
