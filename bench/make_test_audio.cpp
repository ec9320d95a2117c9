// make_test_audio FILE SECONDS CHANNELS RATE SUBTYPE: writes a music-like
// test signal (a chord with a slow swell and a little noise) for the
// command-line benchmarks. SUBTYPE: pcm16, pcm24 or float; the container
// follows FILE's extension (wav, flac, aiff). Written a second at a time,
// so any length takes little memory.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
int FormatFor(const std::string& path, const std::string& subtype) {
    const std::string extension = path.substr(path.rfind('.') + 1);
    const int major = extension == "flac" ? SF_FORMAT_FLAC : extension == "aiff" ? SF_FORMAT_AIFF : SF_FORMAT_WAV;
    const int sub = subtype == "pcm16" ? SF_FORMAT_PCM_16 : subtype == "pcm24" ? SF_FORMAT_PCM_24 : SF_FORMAT_FLOAT;
    return major | sub;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: make_test_audio FILE SECONDS CHANNELS RATE pcm16|pcm24|float\n");
        return 64;
    }
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    info.format = FormatFor(argv[1], argv[5]);
    info.channels = std::atoi(argv[3]);
    info.samplerate = std::atoi(argv[4]);
    const long long frames = static_cast<long long>(std::atof(argv[2]) * info.samplerate);
    SNDFILE* file = sf_open(argv[1], SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "make_test_audio: %s\n", sf_strerror(nullptr));
        return 73;
    }
    std::vector<float> chunk(static_cast<size_t>(info.samplerate) * info.channels);
    unsigned noise = 1;
    for (long long start = 0; start < frames; start += info.samplerate) {
        const long long count = std::min<long long>(info.samplerate, frames - start);
        for (long long i = 0; i < count; ++i) {
            const double t = double(start + i) / info.samplerate;
            for (int channel = 0; channel < info.channels; ++channel) {
                noise = noise * 1664525u + 1013904223u;
                chunk[size_t(i * info.channels + channel)] =
                    float(0.35 * std::sin(2 * M_PI * (110.0 + 55.0 * channel) * t) +
                          0.25 * std::sin(2 * M_PI * 440.0 * t) * (0.5 + 0.5 * std::sin(2 * M_PI * 0.2 * t)) +
                          0.01 * (double(noise >> 8) / double(1 << 24) - 0.5));
            }
        }
        if (sf_writef_float(file, chunk.data(), count) != count) {
            std::fprintf(stderr, "make_test_audio: %s\n", sf_strerror(file));
            return 74;
        }
    }
    return sf_close(file) == 0 ? 0 : 74;
}
