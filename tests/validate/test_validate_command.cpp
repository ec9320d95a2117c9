// `orvanta validate` as a user runs it: exit codes, report lines, summary, repeatable seeds.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "effect/Orvanta_Defs.h"
#include "tests/cli/CliHarness.h"

using cli_test::RunOrvanta;
using cli_test::RunResult;
using cli_test::ScratchFolder;

namespace {

// The report without its timings, which differ from run to run.
std::string WithoutTimings(const std::string& out) {
    static const std::regex timing(R"((\[[0-9.]+ s\])|(loaded in [0-9.]+ ms)|(in [0-9.]+ s$)|([0-9.]+ ms per cycle))",
                                   std::regex::multiline);
    return std::regex_replace(out, timing, "");
}

TEST(ValidateCommand, ExitCodesAndMessages) {
    // Refused runs (usage 64, loading 70) run no check and say why on standard error.
    struct Case { std::vector<std::string> arguments; int exitCode; const char* onStandardError; };
    const Case cases[] = {
        {{"validate", "--only", "loading", "--plugin", "/nonexistent.aaxplugin", "--seed", "1"}, 70,
         "orvanta: cannot load the plug-in: no such plug-in: /nonexistent.aaxplugin"},
        {{"validate", "--plugin", ORVANTA_SOURCE_DIR "/README.md"}, 70, "/README.md: not an ELF file"},
        {{"validate", "--only", ""}, 64, "--only needs check group names separated by commas, not ''"},
        {{"validate", "--only", "state,"}, 64, "--only needs check group names separated by commas, not 'state,'"},
        {{"validate", "--strictness", "0"}, 64, "--strictness needs a whole number from 1 to 10, not '0'"},
        {{"validate", "--strictness", "11"}, 64, "--strictness needs a whole number from 1 to 10, not '11'"},
        {{"validate", "--seed", "-3"}, 64, "--seed needs a whole number from 0, not '-3'"},
        {{"validate", "--only", "state,colours"}, 64, "no check group 'colours'"},
        {{"validate", "extra"}, 64, "validate takes no file arguments"},
    };
    for (const Case& testCase : cases) {
        std::string command;
        for (const std::string& argument : testCase.arguments) command += argument + " ";
        SCOPED_TRACE(command);
        const RunResult run = RunOrvanta(testCase.arguments);
        EXPECT_EQ(run.exitCode, testCase.exitCode) << run.err;
        EXPECT_NE(run.err.find(testCase.onStandardError), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(ValidateCommand, OneLinePerCheckThenTheSummaryRepeatableFromItsSeed) {
    const std::vector<std::string> arguments = {"validate",     "--only", "parameters,state",
                                                "--strictness", "1",      "--seed", "4"};
    const RunResult run = RunOrvanta(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    const std::regex line(R"(^(PASS|WARN|FAIL)  [a-z-]+: .{10,}\[[0-9.]+ s\]$)");
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = run.out.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(run.out.substr(start, end - start));
    ASSERT_EQ(lines.size(), 1u + 5u + 1u) << run.out;
    EXPECT_EQ(lines.front().rfind("Validating ", 0), 0u);
    EXPECT_NE(lines.front().find("at strictness 1, seed 4"), std::string::npos);
    for (size_t i = 1; i + 1 < lines.size(); ++i) EXPECT_TRUE(std::regex_match(lines[i], line)) << lines[i];
    EXPECT_EQ(lines.back().rfind("5 checks, 0 failed, 0 warnings, in ", 0), 0u) << lines.back();

    EXPECT_EQ(WithoutTimings(RunOrvanta(arguments).out), WithoutTimings(run.out));
    std::vector<std::string> quiet = arguments;
    quiet.push_back("--quiet");
    const RunResult quietRun = RunOrvanta(quiet);
    EXPECT_EQ(quietRun.exitCode, 0);
    EXPECT_EQ(quietRun.out, "") << "quiet keeps only failures";
}

// A copy of the built bundle, damaged by a shell command run in it.
std::string DamagedBundle(const ScratchFolder& folder, const std::string& damage) {
    const std::string copy = folder.Path(Orvanta::kBundleName);
    const std::string command = "cp -r '" + std::string(ORVANTA_BINARY_DIR) + "/" + Orvanta::kBundleName + "' '" +
                                copy + "' && cd '" + copy + "' && " + damage;
    if (std::system(command.c_str()) != 0) ADD_FAILURE() << "cannot damage a bundle copy: " << command;
    return copy;
}

TEST(ValidateCommand, DamagedBundlesFailOrAreRefused) {
    const std::string binary = "Contents/x86_64-linux/Orvanta.so";
    // inOutput: on standard output for exit code 1, on standard error for 70.
    struct Case { const char* what; std::string damage; int exitCode; std::vector<std::string> inOutput; };
    const Case cases[] = {
        {"every bitmap removed", "rm Contents/Resources/bmp*.png", 1,
         {"FAIL  editor: bitmaps", "bmp31010 is missing; bmp31011 is missing", "0/11 bitmaps decode",
          "FAIL  editor: open, close and reopen", "the editor has no size"}},
        {"one bitmap not a picture", "echo garbage > Contents/Resources/bmp31023.png", 1,
         {"FAIL  editor: bitmaps", "10/11 bitmaps decode", "bmp31023.png cannot be decoded"}},
        {"binary cut in half", "size=$(stat -c %s " + binary + ") && truncate -s $((size / 2)) " + binary, 70,
         {"orvanta: cannot load the plug-in: not a loadable plug-in module: ", "the file is truncated or damaged"}},
    };
    // (Every kind of damaged binary: tests/module/test_bundle.cpp.)
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.what);
        const ScratchFolder folder;
        const std::string bundle = DamagedBundle(folder, testCase.damage);
        const RunResult run = RunOrvanta({"validate", "--only", "editor", "--strictness", "1", "--plugin", bundle});
        EXPECT_EQ(run.exitCode, testCase.exitCode) << run.out << run.err;
        const std::string& where = testCase.exitCode == 1 ? run.out : run.err;
        for (const std::string& text : testCase.inOutput) EXPECT_NE(where.find(text), std::string::npos) << text << "\n" << where;
        if (testCase.exitCode == 70) {
            // Every command loads through the same check.
            const RunResult params = RunOrvanta({"params", "--plugin", bundle});
            EXPECT_EQ(params.exitCode, 70) << params.err;
            EXPECT_NE(params.err.find(testCase.inOutput.back()), std::string::npos) << params.err;
        }
    }
}

}  // namespace
