// The orvanta program and its validator on a module that is not the
// effect: a one-parameter gain (tests/gainmodule/GainModule.cpp). Nothing
// in the host names the effect, so the same commands work on it: the
// validator passes it, params lists its one parameter, process applies its
// gain, and the effect's own parameters and rates are unknown to it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "../cli/CliHarness.h"

namespace {

using namespace cli_test;

const std::string kBundle = GAIN_BUNDLE;

TEST(GainModule, TheValidatorPassesItWithNoEditorToCheck) {
    const RunResult run = RunOrvanta({"validate", "--plugin", kBundle, "--seed", "7"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out.find("FAIL"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("the module names no editor"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("PASS  audio: mono 44100 Hz"), std::string::npos) << run.out;
    // Only the rates the module registers are run.
    EXPECT_EQ(run.out.find("96000 Hz"), std::string::npos) << run.out;
}

TEST(GainModule, ParamsListsItsOneParameter) {
    const RunResult run = RunOrvanta({"params", "--plugin", kBundle, "--set", "Gain=-3"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Gain"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("-12.00"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("-3.00"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Harmonic"), std::string::npos) << run.out;
}

TEST(GainModule, ProcessAppliesTheGainWithNoDelay) {
    ScratchFolder folder;
    const Audio input = Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 2, 3000);
    WriteAudio(folder.Path("in.wav"), input);
    const RunResult run =
        RunOrvanta({"process", "--plugin", kBundle, "--set", "Gain=-6", folder.Path("in.wav"), folder.Path("out.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Audio output = ReadAudio(folder.Path("out.wav"));
    ASSERT_EQ(output.Frames(), input.Frames());
    const double gain = std::pow(10.0, -6.0 / 20.0);
    for (size_t i = 0; i < input.samples.size(); ++i)
        ASSERT_NEAR(output.samples[i], input.samples[i] * gain, 1e-6) << "sample " << i;
}

TEST(GainModule, WhatTheModuleLacksIsRefusedAsForAnyModule) {
    ScratchFolder folder;
    WriteAudio(folder.Path("in96.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 96000, 1, 500));
    WriteAudio(folder.Path("in.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 1, 500));
    const struct { const char* name; std::vector<std::string> arguments; int exitCode; const char* message; }
        cases[] = {
        {"a rate it does not register",
         {"process", "--plugin", kBundle, folder.Path("in96.wav"), folder.Path("out96.wav")},
         65,
         "the sample rate 96000 Hz is not supported (supported: 44100, 48000 Hz)"},
        {"the effect's parameter",
         {"process", "--plugin", kBundle, "--set", "Color=Gold", folder.Path("in.wav"), folder.Path("out.wav")},
         64,
         "unknown parameter 'Color' (parameters: Gain)"},
        {"a word it does not name",
         {"process", "--plugin", kBundle, "--set", "Gain=loud", folder.Path("in.wav"), folder.Path("out.wav")},
         64,
         "'loud' is not a value of Gain"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult run = RunOrvanta(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"in.wav", "in96.wav"}));
}

}  // namespace
