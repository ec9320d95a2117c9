// Tests of `orvanta validate` as a user runs it: exit codes, the report
// lines and summary, and repeatable runs from one seed. The groups chosen
// here open no editor, so the runs stay short.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/cli/CliHarness.h"

using cli_test::RunOrvanta;
using cli_test::RunResult;

namespace {

// The report without its timings, which differ from run to run.
std::string WithoutTimings(const std::string& out) {
    static const std::regex timing(R"((\[[0-9.]+ s\])|(loaded in [0-9.]+ ms)|(in [0-9.]+ s$)|([0-9.]+ ms per cycle))",
                                   std::regex::multiline);
    return std::regex_replace(out, timing, "");
}

TEST(ValidateCommand, ExitCodesAndMessages) {
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        const char* inOutput;  // on standard output, or standard error for usage errors
    };
    const Case cases[] = {
        {{"validate", "--only", "loading", "--plugin", "/nonexistent.aaxplugin", "--seed", "1"}, 1,
         "FAIL  loading: load and register                    failed: no such plug-in: /nonexistent.aaxplugin"},
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
        const std::string& where = testCase.exitCode == 64 ? run.err : run.out;
        EXPECT_NE(where.find(testCase.inOutput), std::string::npos) << where;
        if (testCase.exitCode == 64) {
            EXPECT_EQ(run.out, "") << "a usage error runs no check";
        }
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

}  // namespace
