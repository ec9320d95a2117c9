// Test helper: runs the orvanta program capturing its exit code and streams; audio via libsndfile.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sndfile.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace cli_test {

struct RunResult {
    int exitCode = -1;  // -signal when killed
    std::string out;
    std::string err;
};

inline bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The arguments followed by more.
inline std::vector<std::string> Concat(std::vector<std::string> arguments,
                                       const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

inline std::string ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every entry of a folder, hidden ones included, sorted.
inline std::vector<std::string> EntriesOf(const std::string& path) {
    std::vector<std::string> names;
    if (DIR* folder = opendir(path.c_str())) {
        while (dirent* entry = readdir(folder))
            if (std::strcmp(entry->d_name, ".") && std::strcmp(entry->d_name, "..")) names.push_back(entry->d_name);
        closedir(folder);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A fresh folder under the system's temporary folder, removed with its content.
class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/orvanta-cli-test-XXXXXX";
        m_Path = mkdtemp(pattern);
    }
    ~ScratchFolder() { std::system(("rm -rf '" + m_Path + "'").c_str()); }
    std::string Path(const std::string& name) const { return m_Path + "/" + name; }
    const std::string& Root() const { return m_Path; }
    std::vector<std::string> Entries() const { return EntriesOf(m_Path); }

private:
    std::string m_Path;
};

// Starts the program with its streams in the given files; fileSizeLimit > 0 acts as a full disk.
inline pid_t Start(const std::vector<std::string>& arguments, const std::string& outPath, const std::string& errPath,
                   long fileSizeLimit = 0, const std::function<void()>& inChild = {}) {
    std::vector<std::string> all = Concat({ORVANTA_PROGRAM}, arguments);
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0) _exit(127);
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    // The program keeps an ignored stop signal ignored: start with defaults, whatever was inherited.
    for (int stop : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ, SIGALRM, SIGUSR1, SIGUSR2}) signal(stop, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (fileSizeLimit > 0) {
        const rlimit limit = {rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);
    }
    if (inChild) inChild();
    execv(argv[0], argv.data());
    _exit(127);
}

// Waits until the process catches signalNumber (its handlers are in place);
// false if it ends first or takes over 10 seconds.
inline bool WaitUntilCaught(pid_t pid, int signalNumber) {
    for (int attempt = 0; attempt < 10000; ++attempt) {
        std::istringstream status(ReadWhole("/proc/" + std::to_string(pid) + "/status"));
        for (std::string line; std::getline(status, line);)
            if (line.rfind("SigCgt:", 0) == 0 &&
                (std::stoull(line.substr(7), nullptr, 16) >> (signalNumber - 1)) & 1)
                return true;
        usleep(1000);
    }
    return false;
}

inline int Wait(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1000;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// Runs the program to its end; streams are captured outside any scratch folder.
inline RunResult RunOrvanta(const std::vector<std::string>& arguments, long fileSizeLimit = 0) {
    static ScratchFolder streams;
    RunResult result;
    const pid_t pid = Start(arguments, streams.Path("out"), streams.Path("err"), fileSizeLimit);
    EXPECT_GT(pid, 0) << "cannot start " << ORVANTA_PROGRAM;
    if (pid <= 0) return result;
    result.exitCode = Wait(pid);
    result.out = ReadWhole(streams.Path("out"));
    result.err = ReadWhole(streams.Path("err"));
    return result;
}

struct Audio {
    int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    int sampleRate = 48000;
    int channels = 2;
    std::vector<double> samples;  // interleaved
    sf_count_t Frames() const { return channels ? sf_count_t(samples.size()) / channels : 0; }
};

// A chord that decays and swells, amplitude peak, different per channel.
inline Audio Tone(int format, int sampleRate, int channels, sf_count_t frames, double peak = 0.5) {
    Audio audio;
    audio.format = format;
    audio.sampleRate = sampleRate;
    audio.channels = channels;
    audio.samples.resize(size_t(frames * channels));
    for (sf_count_t frame = 0; frame < frames; ++frame)
        for (int channel = 0; channel < channels; ++channel) {
            const double t = double(frame) / sampleRate;
            const double value = 0.6 * std::sin(2 * M_PI * (196.0 + 98.0 * channel) * t) +
                                 0.4 * std::sin(2 * M_PI * 587.0 * t) * std::cos(2 * M_PI * 0.7 * t);
            audio.samples[size_t(frame * channels + channel)] = peak * value;
        }
    return audio;
}

inline void WriteAudio(const std::string& path, const Audio& audio) {
    SF_INFO info{};
    info.format = audio.format;
    info.samplerate = audio.sampleRate;
    info.channels = audio.channels;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_TRUE(file) << sf_strerror(nullptr) << " " << path;
    sf_writef_double(file, audio.samples.data(), audio.Frames());
    sf_close(file);
}

// Reads a file as doubles (integer samples exact); format 0 when unreadable.
inline Audio ReadAudio(const std::string& path) {
    Audio audio;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        audio.format = 0;
        return audio;
    }
    audio.format = info.format;
    audio.sampleRate = info.samplerate;
    audio.channels = info.channels;
    audio.samples.resize(size_t(info.frames * info.channels));
    audio.samples.resize(size_t(sf_readf_double(file, audio.samples.data(), info.frames) * info.channels));
    sf_close(file);
    return audio;
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace cli_test
