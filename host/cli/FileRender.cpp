#include "FileRender.h"

#include <chrono>
#include <cstdio>
#include <memory>

#include "EffectSession.h"
#include "OutputFile.h"
#include "SoundFile.h"
#include "StopSignals.h"
#include "host/runtime/AudioRenderer.h"

namespace {
// The render's failure: a stop signal first, then what the input or the
// output ran into, else the renderer's own message.
CliFailure RenderFailure(const SoundFileReader& reader, const SoundFileWriter& writer, const std::string& error) {
    if (StopSignals::Arrived()) return StopSignals::Failure();
    if (!reader.Failure().message.empty()) return reader.Failure();
    if (!writer.Failure().message.empty()) return writer.Failure();
    return CliFailure{ExitCode::kInternal, "rendering failed: " + error};
}

// The module opened and set up for the input; null with the failure.
std::unique_ptr<EffectSession> OpenSession(const ParsedOptions& options, const SoundFileFormat& format,
                                           int32_t blockSize, const std::shared_ptr<PluginModule>& module,
                                           std::mutex* sessionLock, CliFailure* failure) {
    std::unique_lock<std::mutex> held;
    if (sessionLock) held = std::unique_lock<std::mutex>(*sessionLock);
    std::unique_ptr<EffectSession> session =
        module ? EffectSession::OpenOn(module, format.sampleRate, format.channels, blockSize, failure)
               : EffectSession::Open(options, format.sampleRate, format.channels, blockSize, failure);
    if (!session || !session->ApplySettings(options, failure)) return nullptr;
    return session;
}

// Releases the session under the lock that opened it.
void CloseSession(std::unique_ptr<EffectSession>* session, std::mutex* sessionLock) {
    std::unique_lock<std::mutex> held;
    if (sessionLock) held = std::unique_lock<std::mutex>(*sessionLock);
    session->reset();
}
}  // namespace

bool RenderFile(const ParsedOptions& options, const FileRenderSettings& settings, const std::string& inputPath,
                const std::string& outputPath, const std::function<void(int64_t, int64_t)>& progress,
                const std::shared_ptr<PluginModule>& module, std::mutex* sessionLock, FileRenderReport* report,
                CliFailure* failure) {
    // Only the header so far: layout, rate and format are refused before
    // any audio is decoded.
    std::unique_ptr<SoundFileReader> reader = SoundFileReader::Open(inputPath, failure);
    if (!reader) return false;
    const SoundFileFormat& inputFormat = reader->Format();
    SoundFileFormat outputFormat;
    if (!ChooseOutputFormat(inputFormat, settings.formatName, settings.subtypeName, &outputFormat, failure))
        return false;
    std::unique_ptr<EffectSession> session = OpenSession(options, inputFormat, settings.blockSize, module, sessionLock, failure);
    if (!session) return false;
    const bool rendered = [&] {
        OutputFile output;
        if (!output.Open(outputPath, failure)) return false;
        std::unique_ptr<SoundFileWriter> writer =
            SoundFileWriter::Open(output.Descriptor(), outputPath, outputFormat, failure);
        if (!writer) return false;

        AudioRenderer::Options renderOptions;
        renderOptions.blockSize = settings.blockSize;
        renderOptions.alignLatency = settings.keepLatency ? 0 : session->Latency();
        renderOptions.progress = progress;
        AudioRenderer renderer(session->Instance(), renderOptions);
        std::string error;
        const auto started = std::chrono::steady_clock::now();
        if (!renderer.RenderStream(*reader, *writer, {}, &error)) {
            *failure = RenderFailure(*reader, *writer, error);
            return false;
        }
        report->seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (!writer->Close(failure) || !output.Commit(failure)) return false;
        report->outputPath = outputPath;
        report->toStandardOutput = output.IsStandardOutput();
        report->frames = writer->FramesWritten();
        report->sampleRate = inputFormat.sampleRate;
        report->channels = inputFormat.channels;
        report->format = outputFormat.format;
        report->overs = writer->Overs();
        return true;
    }();
    CloseSession(&session, sessionLock);
    return rendered;
}

std::string DescribeRender(const FileRenderReport& report) {
    const double duration = report.sampleRate > 0 ? double(report.frames) / report.sampleRate : 0.0;
    char line[512];
    std::snprintf(line, sizeof line, ": %.3f s, %s, %d Hz, %s; rendered at %.0fx real time\n", duration,
                  report.channels == 1 ? "mono" : "stereo", report.sampleRate, DescribeFormat(report.format).c_str(),
                  report.seconds > 0 ? duration / report.seconds : 0.0);
    std::string text = "Wrote " + (report.toStandardOutput ? std::string("standard output") : report.outputPath) + line;
    if (report.overs > 0)
        text += "Note: " + std::to_string(report.overs) +
                " samples beyond full scale were clipped (a float output keeps them: --subtype float)\n";
    return text;
}
