// One audio file rendered through the effect, streamed from IN to OUT: the
// input's header is checked before any audio is decoded, the audio flows
// through in chunks, and OUT appears only when complete (see OutputFile).
// `orvanta process` runs one; with --output-dir it runs several at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "CliCommon.h"

class PluginModule;

struct FileRenderSettings {
    int32_t blockSize = 512;
    bool keepLatency = false;
    std::string formatName;   // --format; empty: the input's
    std::string subtypeName;  // --subtype; empty: the input's
};

// What a finished render wrote, for the report line.
struct FileRenderReport {
    std::string outputPath;
    bool toStandardOutput = false;
    double seconds = 0.0;  // rendering time
    int64_t frames = 0;
    int sampleRate = 0;
    int channels = 0;
    int format = 0;
    int64_t overs = 0;  // clipped samples of an integer output
};

// Renders inputPath to outputPath with the settings options gives
// (--preset, --set, --bypass, --plugin). progress is called on the render
// thread and may be empty. module, when given, is the loaded module to
// use (several renders share one); else the render loads its own.
// sessionLock, when given, is held while the instance is created, set up
// and released, so several renders may run on several threads. False with the failure: the exit codes of the input
// (65, 66), the settings (64), the module (70), the output (73, 74), or
// 128 + a caught stop signal's number.
bool RenderFile(const ParsedOptions& options, const FileRenderSettings& settings, const std::string& inputPath,
                const std::string& outputPath, const std::function<void(int64_t, int64_t)>& progress,
                const std::shared_ptr<PluginModule>& module, std::mutex* sessionLock, FileRenderReport* report,
                CliFailure* failure);

// "Wrote OUT: 2.000 s, stereo, 48000 Hz, WAV ...; rendered at 80x real
// time", and a note on clipped samples when there were any.
std::string DescribeRender(const FileRenderReport& report);
