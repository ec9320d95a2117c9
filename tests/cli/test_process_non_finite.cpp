// `orvanta process` on files with samples that are not finite or huge: the
// output is finite (PCM output holds no full-scale garbage), nothing before
// a fault changes, and the signal is back from the block after the fault's.
#include <cmath>
#include <limits>

#include "CliHarness.h"

namespace {

using namespace cli_test;

constexpr int kBlock = 512;   // the program's default host block
constexpr int kDelay = 7;     // the effect's delay at 48 kHz, removed by process
constexpr sf_count_t kFrames = 12000;

struct Fault {
    sf_count_t frame;
    int channel;
    double value;
};

double Rms(const Audio& audio, int channel, sf_count_t from, sf_count_t to) {
    double sum = 0.0;
    for (sf_count_t frame = from; frame < to; ++frame) sum += audio.At(frame, channel) * audio.At(frame, channel);
    return std::sqrt(sum / double(to - from));
}

TEST(ProcessNonFinite, FaultsCostAtMostTheRestOfTheirBlock) {
    const double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();
    const Fault faults[] = {{1000, 0, kNaN}, {3071, 1, kInf}, {5120, 0, -kInf}, {7000, 1, 1e13}, {9300, 0, 1e30}};
    ScratchFolder scratch;
    const Audio clean = Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 2, kFrames);
    Audio faulty = clean;
    for (const Fault& fault : faults) faulty.samples[size_t(fault.frame * 2 + fault.channel)] = fault.value;
    WriteAudio(scratch.Path("clean.wav"), clean);
    WriteAudio(scratch.Path("faulty.wav"), faulty);

    struct Case {
        const char* name;
        std::vector<std::string> options;
        bool identity;  // the settings make the output the input
    };
    const Case cases[] = {
        {"defaults, float", {}, true},
        {"defaults, pcm16", {"--subtype", "pcm16"}, true},
        {"colouring, float", {"--set", "Harmonic=60", "--set", "Dynamic=40", "--set", "Dither=On"}, false},
        {"colouring, pcm24", {"--set", "Harmonic=60", "--set", "Color=Deep", "--subtype", "pcm24"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Audio out[2];
        for (int which = 0; which < 2; ++which) {
            const std::string in = scratch.Path(which ? "faulty.wav" : "clean.wav");
            const std::string path = scratch.Path(std::string(which ? "faulty-" : "clean-") + "out.wav");
            std::vector<std::string> arguments = {"process", in, path, "--quiet"};
            arguments.insert(arguments.end(), c.options.begin(), c.options.end());
            const RunResult run = RunOrvanta(arguments);
            ASSERT_EQ(run.exitCode, 0) << run.err;
            out[which] = ReadAudio(path);
            ASSERT_EQ(out[which].Frames(), kFrames);
        }
        const Audio& want = out[0];
        const Audio& got = out[1];
        for (double sample : got.samples) ASSERT_TRUE(std::isfinite(sample));
        for (int channel = 0; channel < 2; ++channel) {
            // Faults of this channel in order; each is measured up to the next.
            std::vector<sf_count_t> at;
            for (const Fault& fault : faults)
                if (fault.channel == channel) at.push_back(fault.frame);
            for (size_t k = 0; k < at.size(); ++k) {
                const sf_count_t begin = k == 0 ? 0 : (at[k - 1] / kBlock + 1) * kBlock;
                const sf_count_t faultOut = at[k] - kDelay;  // where the fault reaches the output
                // Coloured output after a reset keeps differing a little from
                // the clean render's (the filters restarted), so only the part
                // before the first fault compares there.
                const bool compares = c.identity || k == 0;
                for (sf_count_t frame = begin; compares && frame < faultOut; ++frame)
                    ASSERT_EQ(got.At(frame, channel), want.At(frame, channel)) << "before the fault at " << at[k];
                // From the block after the fault's, the output is the
                // input again (identity) or sounds as the clean render does.
                const sf_count_t next = (at[k] / kBlock + 1) * kBlock;
                const sf_count_t end = k + 1 < at.size() ? at[k + 1] - kDelay : kFrames;
                if (c.identity) {
                    for (sf_count_t frame = next; frame < end; ++frame)
                        ASSERT_EQ(got.At(frame, channel), want.At(frame, channel)) << "after the fault at " << at[k];
                } else {
                    for (sf_count_t from = next + kBlock; from + kBlock <= end; from += kBlock)
                        EXPECT_GT(Rms(got, channel, from, from + kBlock), 0.5 * Rms(want, channel, from, from + kBlock))
                            << "block at " << from << " after the fault at " << at[k];
                }
            }
        }
    }
}

}  // namespace
