#include "SoundFile.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
constexpr sf_count_t kChunkFrames = 8192;

struct SubtypeName {
    const char* name;
    int subtype;
};
constexpr SubtypeName kSubtypes[] = {
    {"pcm16", SF_FORMAT_PCM_16}, {"pcm24", SF_FORMAT_PCM_24}, {"pcm32", SF_FORMAT_PCM_32},
    {"float", SF_FORMAT_FLOAT},  {"double", SF_FORMAT_DOUBLE},
};

// libsndfile's name for a major format or subtype; empty when unknown.
std::string FormatName(int format, int command) {
    SF_FORMAT_INFO info;
    std::memset(&info, 0, sizeof info);
    info.format = format;
    if (sf_command(nullptr, command, &info, sizeof info) != 0 || !info.name) return "";
    return info.name;
}

// The major format whose usual file extension is extension; 0 if none.
int MajorFormatForExtension(const std::string& extension) {
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info;
        std::memset(&info, 0, sizeof info);
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 && info.extension &&
            extension == info.extension)
            return info.format;
    }
    return 0;
}

// The distinct file extensions of every major format, for messages.
std::string MajorExtensions() {
    std::vector<std::string> extensions;
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info;
        std::memset(&info, 0, sizeof info);
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) != 0 || !info.extension) continue;
        if (std::find(extensions.begin(), extensions.end(), info.extension) == extensions.end())
            extensions.push_back(info.extension);
    }
    std::string names;
    for (const std::string& extension : extensions) names += (names.empty() ? "" : ", ") + extension;
    return names;
}

// Checks that path names a readable file; false with a message (66).
bool CheckReadable(const std::string& path, CliFailure* failure) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        *failure = CliFailure{ExitCode::kNoInput, errno == ENOENT ? "input '" + path + "' does not exist"
                                                                   : "cannot read input '" + path + "': " + std::strerror(errno)};
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        *failure = CliFailure{ExitCode::kNoInput, "input '" + path + "' is a folder"};
        return false;
    }
    const int descriptor = open(path.c_str(), O_RDONLY);
    if (descriptor < 0) {
        *failure = CliFailure{ExitCode::kNoInput, "cannot read input '" + path + "': " + std::strerror(errno)};
        return false;
    }
    close(descriptor);
    return true;
}
}  // namespace

bool ReadSoundFile(const std::string& path, AudioChannels* audio, SoundFileFormat* format, CliFailure* failure) {
    if (!CheckReadable(path, failure)) return false;
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        *failure = CliFailure{ExitCode::kBadData,
                              "input '" + path + "' is not audio this program can read (" + sf_strerror(nullptr) + ")"};
        return false;
    }
    format->format = info.format;
    format->sampleRate = info.samplerate;
    format->channels = info.channels;

    const size_t channels = static_cast<size_t>(info.channels);
    audio->assign(channels, std::vector<float>());
    // The header's frame count is only a hint (and may be damaged): reserve
    // up to a sane amount, grow past it as the data arrives.
    constexpr sf_count_t kLargestReservation = sf_count_t(1) << 26;
    for (std::vector<float>& channel : *audio)
        channel.reserve(static_cast<size_t>(std::clamp<sf_count_t>(info.frames, 0, kLargestReservation)));
    std::vector<float> interleaved(static_cast<size_t>(kChunkFrames) * channels);
    for (;;) {
        const sf_count_t frames = sf_readf_float(file, interleaved.data(), kChunkFrames);
        if (frames <= 0) break;
        for (sf_count_t frame = 0; frame < frames; ++frame)
            for (size_t channel = 0; channel < channels; ++channel)
                (*audio)[channel].push_back(interleaved[static_cast<size_t>(frame) * channels + channel]);
    }
    const int error = sf_error(file);
    const std::string errorText = sf_strerror(file);
    sf_close(file);
    if (error != SF_ERR_NO_ERROR) {
        *failure = CliFailure{ExitCode::kIOError, "reading input '" + path + "' failed: " + errorText};
        return false;
    }
    return true;
}

bool WriteSoundFile(int descriptor, const std::string& path, const AudioChannels& audio,
                    const SoundFileFormat& format, CliFailure* failure) {
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    info.format = format.format;
    info.samplerate = format.sampleRate;
    info.channels = format.channels;
    SNDFILE* file = sf_open_fd(descriptor, SFM_WRITE, &info, SF_TRUE);
    if (!file) {
        *failure = CliFailure{ExitCode::kCannotCreate, "cannot write output '" + path + "' as " +
                                                           DescribeFormat(format.format) + ": " + sf_strerror(nullptr)};
        return false;
    }
    if (!IsFloatingPointFormat(format.format)) sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // No peak chunk: it carries the time of writing, and the same render
    // should give the same bytes.
    sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);

    const size_t channels = static_cast<size_t>(format.channels);
    const sf_count_t total = audio.empty() ? 0 : static_cast<sf_count_t>(audio[0].size());
    std::vector<float> interleaved(static_cast<size_t>(kChunkFrames) * channels);
    bool written = true;
    for (sf_count_t start = 0; start < total && written; start += kChunkFrames) {
        const sf_count_t frames = std::min(kChunkFrames, total - start);
        for (sf_count_t frame = 0; frame < frames; ++frame)
            for (size_t channel = 0; channel < channels; ++channel)
                interleaved[static_cast<size_t>(frame) * channels + channel] =
                    audio[channel][static_cast<size_t>(start + frame)];
        written = sf_writef_float(file, interleaved.data(), frames) == frames;
    }
    const std::string errorText = sf_strerror(file);
    const bool closed = sf_close(file) == 0;
    if (!written || !closed) {
        *failure = CliFailure{ExitCode::kIOError, "writing output '" + path + "' failed: " + errorText};
        return false;
    }
    return true;
}

bool ChooseOutputFormat(const SoundFileFormat& input, const std::string& majorName, const std::string& subtypeName,
                        SoundFileFormat* output, CliFailure* failure) {
    int major = input.format & SF_FORMAT_TYPEMASK;
    int subtype = input.format & SF_FORMAT_SUBMASK;
    if (!majorName.empty()) {
        major = MajorFormatForExtension(majorName);
        if (!major) {
            *failure = CliFailure{ExitCode::kUsage,
                                  "unknown output format '" + majorName + "' (formats: " + MajorExtensions() + ")"};
            return false;
        }
    }
    if (!subtypeName.empty()) {
        subtype = 0;
        for (const SubtypeName& entry : kSubtypes)
            if (subtypeName == entry.name) subtype = entry.subtype;
        if (!subtype) {
            *failure = CliFailure{ExitCode::kUsage, "unknown sample type '" + subtypeName +
                                                        "' (sample types: pcm16, pcm24, pcm32, float, double)"};
            return false;
        }
    }
    *output = input;
    output->format = major | subtype;
    SF_INFO check;
    std::memset(&check, 0, sizeof check);
    check.format = output->format;
    check.samplerate = output->sampleRate;
    check.channels = output->channels;
    if (!sf_format_check(&check)) {
        *failure = CliFailure{ExitCode::kUsage, FormatName(major, SFC_GET_FORMAT_INFO) + " cannot hold " +
                                                    FormatName(subtype, SFC_GET_FORMAT_INFO) +
                                                    " samples (choose another with --format or --subtype)"};
        return false;
    }
    return true;
}

std::string DescribeFormat(int format) {
    return FormatName(format & SF_FORMAT_TYPEMASK, SFC_GET_FORMAT_INFO) + ", " +
           FormatName(format & SF_FORMAT_SUBMASK, SFC_GET_FORMAT_INFO);
}

bool IsFloatingPointFormat(int format) {
    const int subtype = format & SF_FORMAT_SUBMASK;
    return subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE;
}
