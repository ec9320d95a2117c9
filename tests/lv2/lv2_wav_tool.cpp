// Helper of check_lv2_tools.sh:
//   lv2_wav_tool write PATH CHANNELS RATE FRAMES
//       a 32-bit float WAV: per channel other partials under a swell, a burst
//   lv2_wav_tool compare A B
//       exit 0 when A and B hold the same frames bit for bit, else 1 (2: unreadable)
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A file's format and interleaved samples; false when it cannot be read whole.
bool Read(const char* path, SF_INFO* info, std::vector<float>* samples) {
    SNDFILE* file = sf_open(path, SFM_READ, info);
    if (!file) {
        std::fprintf(stderr, "cannot read %s: %s\n", path, sf_strerror(nullptr));
        return false;
    }
    samples->assign(size_t(info->frames) * size_t(info->channels), 0.0f);
    const sf_count_t read = sf_readf_float(file, samples->data(), info->frames);
    sf_close(file);
    return read == info->frames;
}

int Write(const char* path, int channels, int rate, int64_t frames) {
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = rate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path, SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "cannot write %s: %s\n", path, sf_strerror(nullptr));
        return 1;
    }
    std::vector<float> samples(size_t(frames) * size_t(channels));
    for (int64_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double swell = 0.5 + 0.4 * std::sin(2 * M_PI * 0.7 * t);
        const double burst = std::exp(-6.0 * std::fmod(t, 0.5)) * std::sin(2 * M_PI * 1870.0 * t);
        for (int c = 0; c < channels; ++c) {
            const double partials = std::sin(2 * M_PI * (110.0 + 55.0 * c) * t) +
                                    0.5 * std::sin(2 * M_PI * (331.0 + 97.0 * c) * t + 0.3 * c);
            samples[size_t(i) * size_t(channels) + size_t(c)] = float(0.45 * swell * partials + 0.25 * burst);
        }
    }
    const sf_count_t written = sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    return written == frames ? 0 : 1;
}

int Compare(const char* pathA, const char* pathB) {
    SF_INFO a{}, b{};
    std::vector<float> x, y;
    if (!Read(pathA, &a, &x) || !Read(pathB, &b, &y)) return 2;
    if (a.channels != b.channels || a.samplerate != b.samplerate || a.frames != b.frames) {
        std::printf("differ: %s has %lld frames of %d channels at %d Hz, %s %lld of %d at %d Hz\n", pathA,
                    (long long)a.frames, a.channels, a.samplerate, pathB, (long long)b.frames, b.channels,
                    b.samplerate);
        return 1;
    }
    const size_t channels = size_t(b.channels);
    for (size_t i = 0; i < y.size(); ++i)
        if (std::memcmp(&x[i], &y[i], sizeof(float)) != 0) {
            std::printf("differ: frame %zu channel %zu: %.9g against %.9g\n", i / channels, i % channels,
                        double(x[i]), double(y[i]));
            return 1;
        }
    std::printf("identical: %lld frames x %d channels\n", (long long)b.frames, b.channels);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "write" && argc == 6)
        return Write(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoll(argv[5]));
    if (command == "compare" && argc == 4) return Compare(argv[2], argv[3]);
    std::fprintf(stderr, "usage: lv2_wav_tool write PATH CHANNELS RATE FRAMES | compare A B\n");
    return 2;
}
