// Helper of check_lv2_tools.sh: writes the test signal and compares
// renders sample for sample.
//
//   lv2_wav_tool write PATH CHANNELS RATE FRAMES
//       a 32-bit float WAV: per channel a different pair of partials under a
//       slow swell, a decaying burst, peaks below full scale
//   lv2_wav_tool compare A B
//       exit 0 when A and B hold the same frames bit for bit; else print
//       the first difference and exit 1
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Sound {
    int channels = 0;
    int rate = 0;
    int64_t frames = 0;
    std::vector<float> samples;  // interleaved
};

bool Read(const char* path, Sound* sound) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (!file) {
        std::fprintf(stderr, "cannot read %s: %s\n", path, sf_strerror(nullptr));
        return false;
    }
    sound->channels = info.channels;
    sound->rate = info.samplerate;
    sound->frames = info.frames;
    sound->samples.assign(size_t(info.frames) * size_t(info.channels), 0.0f);
    const sf_count_t read = sf_readf_float(file, sound->samples.data(), info.frames);
    sf_close(file);
    return read == info.frames;
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
    Sound a, b;
    if (!Read(pathA, &a) || !Read(pathB, &b)) return 2;
    if (a.channels != b.channels || a.rate != b.rate || a.frames != b.frames) {
        std::printf("differ: %s has %lld frames of %d channels at %d Hz, %s %lld of %d at %d Hz\n", pathA,
                    (long long)a.frames, a.channels, a.rate, pathB, (long long)b.frames, b.channels, b.rate);
        return 1;
    }
    for (int64_t i = 0; i < b.frames; ++i)
        for (int c = 0; c < b.channels; ++c) {
            const float x = a.samples[size_t(i) * size_t(a.channels) + size_t(c)];
            const float y = b.samples[size_t(i) * size_t(b.channels) + size_t(c)];
            if (std::memcmp(&x, &y, sizeof x) != 0) {
                std::printf("differ: frame %lld channel %d: %.9g against %.9g\n", (long long)i, c, double(x),
                            double(y));
                return 1;
            }
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
