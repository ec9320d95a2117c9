// orvanta process IN OUT, or IN... --output-dir DIR: renders audio files
// through the effect.
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

#include "BatchProgress.h"
#include "CommandRegistry.h"
#include "EffectSession.h"
#include "FileRender.h"
#include "StopSignals.h"
#include "host/runtime/PluginModule.h"

namespace {

constexpr int64_t kDefaultBlockSize = 512;
constexpr int64_t kLargestBlockSize = 1 << 20;
constexpr int64_t kMostJobs = 256;

struct ProcessArguments {
    std::vector<std::string> inputPaths;
    std::vector<std::string> outputPaths;  // one per input
    bool batch = false;
    int jobs = 1;
    FileRenderSettings settings;
    bool quiet = false;
};

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// DIR/NAME for each input, NAME taking the --format's extension when given.
bool ChooseBatchOutputs(const std::string& folder, const std::string& formatName, ProcessArguments* arguments,
                        CliFailure* failure) {
    for (const std::string& input : arguments->inputPaths) {
        std::string name = NameOf(input);
        if (!formatName.empty()) name = name.substr(0, std::min(name.rfind('.'), name.size())) + "." + formatName;
        const std::string output = folder + (folder.back() == '/' ? "" : "/") + name;
        if (std::find(arguments->outputPaths.begin(), arguments->outputPaths.end(), output) !=
            arguments->outputPaths.end()) {
            *failure = CliFailure{ExitCode::kUsage, "two inputs would both be written to '" + output + "'"};
            return false;
        }
        arguments->outputPaths.push_back(output);
    }
    return true;
}

bool ReadArguments(const ParsedOptions& options, ProcessArguments* arguments, CliFailure* failure) {
    arguments->batch = options.Has("--output-dir");
    const size_t count = options.positionals.size();
    if (arguments->batch ? count < 1 : count != 2) {
        *failure = CliFailure{ExitCode::kUsage, arguments->batch
                                                    ? "process --output-dir needs at least one input file"
                                                    : "process needs an input and an output file (see orvanta process --help)"};
        return false;
    }
    int64_t blockSize = kDefaultBlockSize;
    if (options.Has("--block") && !ParseInteger(options.Last("--block"), 1, kLargestBlockSize, &blockSize)) {
        *failure = CliFailure{ExitCode::kUsage, "--block needs a whole number of samples from 1 to " +
                                                    std::to_string(kLargestBlockSize) + ", not '" +
                                                    options.Last("--block") + "'"};
        return false;
    }
    int64_t jobs = std::max(1u, std::thread::hardware_concurrency());
    if (options.Has("--jobs") && !ParseInteger(options.Last("--jobs"), 1, kMostJobs, &jobs)) {
        *failure = CliFailure{ExitCode::kUsage, "--jobs needs a whole number from 1 to " + std::to_string(kMostJobs) +
                                                    ", not '" + options.Last("--jobs") + "'"};
        return false;
    }
    arguments->jobs = static_cast<int>(jobs);
    arguments->settings.blockSize = static_cast<int32_t>(blockSize);
    arguments->settings.keepLatency = options.Has("--keep-latency");
    arguments->settings.formatName = options.Last("--format");
    arguments->settings.subtypeName = options.Last("--subtype");
    arguments->quiet = options.Has("--quiet");
    if (!arguments->batch) {
        arguments->inputPaths = {options.positionals[0]};
        arguments->outputPaths = {options.positionals[1]};
        if (arguments->outputPaths[0] == "-" && arguments->settings.formatName.empty()) {
            *failure = CliFailure{ExitCode::kUsage, "writing to standard output (-) needs --format"};
            return false;
        }
        return true;
    }
    arguments->inputPaths = options.positionals;
    const std::string folder = options.Last("--output-dir");
    struct stat status;
    if (folder.empty() || stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        *failure = CliFailure{ExitCode::kCannotCreate, "--output-dir '" + folder + "' is not a folder"};
        return false;
    }
    return ChooseBatchOutputs(folder, arguments->settings.formatName, arguments, failure);
}

int RunSingle(const ParsedOptions& options, const ProcessArguments& arguments) {
    ProgressBar progress("Processing", arguments.quiet);
    FileRenderReport report;
    CliFailure failure;
    if (!RenderFile(options, arguments.settings, arguments.inputPaths[0], arguments.outputPaths[0],
                    [&progress](int64_t done, int64_t total) { progress.Update(done, total); }, nullptr, nullptr,
                    &report, &failure))
        return Report(failure);
    if (!arguments.quiet) {
        // The audio itself may be on standard output.
        const std::string text = DescribeRender(report);
        std::fputs(text.c_str(), report.toStandardOutput ? stderr : stdout);
    }
    return ExitCode::kOk;
}

// Renders every input on arguments.jobs worker threads; each file renders
// as a single process would. Returns the first failing file's exit code.
int RunBatch(const ParsedOptions& options, const ProcessArguments& arguments) {
    // One module for every file: loaded once, released after the last.
    CliFailure moduleFailure;
    const std::shared_ptr<PluginModule> module = OpenPluginModule(options, &moduleFailure);
    if (!module) return Report(moduleFailure);
    const size_t files = arguments.inputPaths.size();
    std::vector<int> exitCodes(files, ExitCode::kOk);
    std::vector<FileRenderReport> reports(files);
    std::atomic<size_t> next{0};
    std::mutex sessionLock, printLock;
    BatchProgress progress(arguments.quiet);
    auto work = [&] {
        for (size_t file; (file = next++) < files && !StopSignals::Arrived();) {
            const int line = progress.Start(NameOf(arguments.inputPaths[file]));
            CliFailure failure;
            const bool rendered = RenderFile(
                options, arguments.settings, arguments.inputPaths[file], arguments.outputPaths[file],
                [&progress, line](int64_t done, int64_t total) { progress.Update(line, done, total); }, module,
                &sessionLock, &reports[file], &failure);
            exitCodes[file] = rendered ? ExitCode::kOk : failure.exitCode;
            progress.Finish(line, rendered ? "done" : "failed: " + failure.message);
            std::lock_guard<std::mutex> held(printLock);
            if (!rendered && !progress.Enabled()) PrintError(failure.message);
            if (rendered && !arguments.quiet && !progress.Enabled()) std::fputs(DescribeRender(reports[file]).c_str(), stdout);
        }
    };
    std::vector<std::thread> workers;
    for (int job = 0; job < std::min<int>(arguments.jobs, static_cast<int>(files)); ++job) workers.emplace_back(work);
    for (std::thread& worker : workers) worker.join();

    if (StopSignals::Arrived()) return Report(StopSignals::Failure());
    const size_t failed = static_cast<size_t>(std::count_if(exitCodes.begin(), exitCodes.end(), [](int code) { return code != 0; }));
    if (!arguments.quiet)
        std::printf("Rendered %zu of %zu files to %s%s\n", files - failed, files, options.Last("--output-dir").c_str(),
                    failed ? ("; " + std::to_string(failed) + " failed").c_str() : "");
    for (int code : exitCodes)
        if (code != ExitCode::kOk) return code;
    return ExitCode::kOk;
}

int RunProcess(const ParsedOptions& options) {
    StopSignals::Install();
    ProcessArguments arguments;
    CliFailure failure;
    if (!ReadArguments(options, &arguments, &failure)) return Report(failure);
    return arguments.batch ? RunBatch(options, arguments) : RunSingle(options, arguments);
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
    options.push_back({"--output-dir", "DIR", "render every IN given into DIR, under its own name"});
    options.push_back({"--jobs", "N", "with --output-dir: files rendered at once (default: the number of cores)"});
    return options;
}

const CommandRegistrar kRegistrar(Command{
    "process",
    "render an audio file through the effect",
    "orvanta process IN OUT [--preset FILE] [--set ID=VALUE]... [--bypass] [--block N]\n"
    "                       [--keep-latency] [--format EXT] [--subtype TYPE] [--quiet]\n"
    "       orvanta process IN... --output-dir DIR [--jobs N] [options as above]",
    "Reads IN (WAV, AIFF, FLAC and whatever else libsndfile reads; mono or stereo at\n"
    "44.1, 48, 88.2, 96, 176.4 or 192 kHz), renders it through the effect with the\n"
    "given settings and writes OUT in the input's format unless --format or --subtype\n"
    "choose another. Integer samples are clipped at full scale, not wrapped around.\n"
    "The output is aligned with the input and has its length: the effect's delay is\n"
    "removed and its tail flushed through. Renders are reproducible: the same input\n"
    "and settings always give the same output.\n\n"
    "The audio streams through in chunks, so memory stays small for any length. An\n"
    "input with fewer frames than its header declares, or that its decoder cannot\n"
    "read to the end, is an error (65) and gives no output. A file OUT (or the file\n"
    "a symbolic link OUT leads to) appears only when complete and keeps an existing\n"
    "file's permissions; IN and OUT may be the same file. A FIFO, a character\n"
    "device or - (standard output; needs --format) is written directly, in order;\n"
    "a pipe takes only formats written front to back (flac, au, raw). SIGINT,\n"
    "SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ, SIGALRM, SIGUSR1 and SIGUSR2 stop the render,\n"
    "leave no file and exit with 128 + the signal's number (unless ignored at start).\n\n"
    "With --output-dir every IN is rendered into DIR under its own name, N files at\n"
    "once; a failing file does not stop the others, and the exit code is that of\n"
    "the first failing file in the order given.\n",
    ProcessOptions(),
    RunProcess,
});

}  // namespace
