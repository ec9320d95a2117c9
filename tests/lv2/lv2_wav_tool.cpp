// Helper of check_lv2_tools.sh:
//   lv2_wav_tool write PATH CHANNELS RATE FRAMES
//       a 32-bit float WAV of the test harness's chord
//   lv2_wav_tool compare A B
//       exit 0 when A and B hold the same frames bit for bit, else 1 (2: unreadable)
#include "tests/cli/CliHarness.h"

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "write" && argc == 6) {
        const sf_count_t frames = std::atoll(argv[5]);
        cli_test::WriteAudio(argv[2], cli_test::Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, std::atoi(argv[4]),
                                                     std::atoi(argv[3]), frames));
        return cli_test::ReadAudio(argv[2]).Frames() == frames ? 0 : 1;
    }
    if (command == "compare" && argc == 4) {
        const cli_test::Audio a = cli_test::ReadAudio(argv[2]), b = cli_test::ReadAudio(argv[3]);
        if (!a.format || !b.format) return 2;
        if (a.channels != b.channels || a.sampleRate != b.sampleRate || a.Frames() != b.Frames()) {
            std::printf("differ: %lld frames of %d channels at %d Hz against %lld of %d at %d Hz\n",
                        (long long)a.Frames(), a.channels, a.sampleRate, (long long)b.Frames(), b.channels,
                        b.sampleRate);
            return 1;
        }
        // Floats read as doubles exactly: equal bits here are equal bits in the files.
        for (size_t i = 0; i < b.samples.size(); ++i)
            if (std::memcmp(&a.samples[i], &b.samples[i], sizeof(double)) != 0) {
                std::printf("differ: frame %zu channel %zu: %.9g against %.9g\n", i / size_t(b.channels),
                            i % size_t(b.channels), a.samples[i], b.samples[i]);
                return 1;
            }
        std::printf("identical: %lld frames x %d channels\n", (long long)b.Frames(), b.channels);
        return 0;
    }
    std::fprintf(stderr, "usage: lv2_wav_tool write PATH CHANNELS RATE FRAMES | compare A B\n");
    return 2;
}
