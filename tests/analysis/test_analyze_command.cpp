// orvanta analyze run as a program on the built plug-in bundle: the
// bypassed effect measures as a wire (no harmonics, a flat response with
// no phase shift, so the delay is removed at every rate), the colour types
// measure apart, the files appear complete, and bad arguments exit 64.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "CliHarness.h"

namespace {

using cli_test::ReadWhole;
using cli_test::RunOrvanta;
using cli_test::RunResult;
using cli_test::ScratchFolder;

// A CSV table as rows of named fields.
using Row = std::map<std::string, std::string>;

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ',')) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.push_back("");
    return fields;
}

std::vector<Row> ReadTable(const std::string& path) {
    std::stringstream text(ReadWhole(path));
    std::string line;
    std::getline(text, line);
    const std::vector<std::string> header = Fields(line);
    std::vector<Row> rows;
    while (std::getline(text, line)) {
        const std::vector<std::string> fields = Fields(line);
        EXPECT_EQ(fields.size(), header.size()) << line;
        Row row;
        for (size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
        rows.push_back(row);
    }
    return rows;
}

double Value(const Row& row, const std::string& column) {
    const auto found = row.find(column);
    EXPECT_NE(found, row.end()) << column;
    return found == row.end() || found->second.empty() ? NAN : std::atof(found->second.c_str());
}

// The quick settings: coarse sweeps, no pictures.
std::vector<std::string> Quick(std::vector<std::string> arguments) {
    for (const char* option : {"--no-plots", "--sweep-step", "20", "--setting-step", "50", "--quiet"})
        arguments.push_back(option);
    return arguments;
}

TEST(AnalyzeCommand, TheBypassedEffectAddsNothingAtAnyRate) {
    for (const char* rate : {"44100", "96000", "192000"}) {
        SCOPED_TRACE(rate);
        ScratchFolder folder;
        const RunResult run =
            RunOrvanta(Quick({"analyze", folder.Root(), "--bypass", "--colors", "Fat", "--rate", rate}));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        for (const char* table : {"harmonics.csv", "harmonics-vs-level.csv", "harmonics-vs-dynamic.csv"}) {
            const std::vector<Row> rows = ReadTable(folder.Path(table));
            ASSERT_FALSE(rows.empty()) << table;
            for (const Row& row : rows) {
                EXPECT_NEAR(Value(row, "fundamental_dbfs"), Value(row, "input_dbfs"), 1e-4) << table;
                for (int h = 2; h <= 10; ++h) EXPECT_LT(Value(row, "h" + std::to_string(h) + "_dbc"), -120.0) << table;
                EXPECT_LT(Value(row, "thd_db"), -120.0) << table;
                EXPECT_LT(Value(row, "thdn_db"), -120.0) << table;
            }
        }
        const std::vector<Row> response = ReadTable(folder.Path("frequency-response.csv"));
        ASSERT_EQ(response.size(), 4096u);
        for (const Row& row : response) {
            EXPECT_NEAR(Value(row, "magnitude_db"), 0.0, 0.01) << Value(row, "frequency_hz") << " Hz";
            EXPECT_NEAR(Value(row, "phase_degrees"), 0.0, 0.01) << Value(row, "frequency_hz") << " Hz";
        }
    }
}

TEST(AnalyzeCommand, ColourTypesAndSettingsChangeTheHarmonics) {
    ScratchFolder folder;
    const RunResult run =
        RunOrvanta(Quick({"analyze", folder.Root(), "--colors", "silver,5", "--levels", "-6"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<Row> spectra = ReadTable(folder.Path("harmonics.csv"));
    ASSERT_EQ(spectra.size(), 2u);
    EXPECT_EQ(spectra[0].at("colour"), "Silver");
    EXPECT_EQ(spectra[1].at("colour"), "Deep");
    EXPECT_EQ(Value(spectra[0], "harmonic_percent"), 100.0);  // the analysis default
    // Deep colours far more strongly than Silver.
    EXPECT_GT(Value(spectra[1], "thd_db"), Value(spectra[0], "thd_db") + 10.0);
    EXPECT_GT(Value(spectra[0], "thd_db"), -80.0);

    // Harmonic 0 leaves the dry signal: the sweep starts from no colour.
    const std::vector<Row> harmonicSweep = ReadTable(folder.Path("harmonics-vs-harmonic.csv"));
    ASSERT_EQ(harmonicSweep.size(), 6u);  // 0, 50, 100 % for each colour type
    EXPECT_EQ(Value(harmonicSweep[0], "harmonic_percent"), 0.0);
    EXPECT_LT(Value(harmonicSweep[0], "thd_db"), -120.0);
    EXPECT_EQ(Value(harmonicSweep[2], "harmonic_percent"), 100.0);
    EXPECT_NEAR(Value(harmonicSweep[2], "thd_db"), Value(spectra[0], "thd_db"), 1e-3);

    const std::vector<Row> levelSweep = ReadTable(folder.Path("harmonics-vs-level.csv"));
    ASSERT_EQ(levelSweep.size(), 6u);  // -40, -20, 0 dBFS for each colour type
    EXPECT_EQ(Value(levelSweep[0], "input_dbfs"), -40.0);
    EXPECT_EQ(Value(levelSweep[2], "input_dbfs"), 0.0);
}

TEST(AnalyzeCommand, SettingsChooseTheOneColourTypeMeasured) {
    ScratchFolder folder;
    const RunResult run = RunOrvanta(
        Quick({"analyze", folder.Root(), "--set", "Color=Rich", "--set", "Harmonic=40", "--levels", "-12"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<Row> spectra = ReadTable(folder.Path("harmonics.csv"));
    ASSERT_EQ(spectra.size(), 1u);
    EXPECT_EQ(spectra[0].at("colour"), "Rich");
    EXPECT_EQ(Value(spectra[0], "harmonic_percent"), 40.0);
}

TEST(AnalyzeCommand, JsonGoesToStandardOutputAlone) {
    const RunResult run = RunOrvanta(Quick({"analyze", "--json", "--colors", "Gold", "--levels", "-6,0"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ScratchFolder folder;
    {
        std::ofstream file(folder.Path("analysis.json"));
        file << run.out;
    }
    // A JSON reader nobody here wrote checks the document and its shape.
    const std::string check =
        "python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); "
        "assert d[\"colours\"]==[\"Gold\"]; assert len(d[\"harmonics\"])==2; "
        "assert len(d[\"harmonics\"][0][\"harmonics_dbc\"])==9; "
        "assert len(d[\"frequency_response\"][0][\"magnitude_db\"])==4096' '" +
        folder.Path("analysis.json") + "'";
    EXPECT_EQ(std::system(check.c_str()), 0) << run.out.substr(0, 400);
}

TEST(AnalyzeCommand, PlotsAndTablesAppearTogether) {
    // The sanitizer build's leak checker must not count the plotting
    // libraries' process-wide state.
    setenv("LSAN_OPTIONS", "print_suppressions=0:suppressions=" ORVANTA_SOURCE_DIR "/tests/analysis/plotting.supp", 1);
    ScratchFolder folder;
    const std::string output = folder.Path("analysis");
    const RunResult run = RunOrvanta({"analyze", output, "--colors", "Gold,Fat", "--sweep-step", "20",
                                      "--setting-step", "50", "--levels", "-6"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Gold"), std::string::npos);
    const std::vector<std::string> expected = {
        "analysis.json",          "frequency-response.csv",   "frequency-response.png",   "harmonics-vs-dynamic.csv",
        "harmonics-vs-dynamic.png", "harmonics-vs-harmonic.csv", "harmonics-vs-harmonic.png", "harmonics-vs-level.csv",
        "harmonics-vs-level.png", "harmonics.csv",            "harmonics.png",            "output-frequency-content.png",
        "transfer-curve.csv",     "transfer-curve.png"};
    EXPECT_EQ(cli_test::EntriesOf(output), expected);  // no staging folder left behind
    for (const std::string& name : expected) {
        if (name.size() > 4 && name.substr(name.size() - 4) == ".png") {
            EXPECT_EQ(ReadWhole(output + "/" + name).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << name;
        }
    }
}

TEST(AnalyzeCommand, BadArgumentsExit64AndWriteNothing) {
    const std::vector<std::vector<std::string>> rows = {
        {},                                  // neither a folder nor --json
        {"OUT", "OTHER"},                    // two folders
        {"OUT", "--rate", "22050"},          // a rate the effect does not run at
        {"OUT", "--frequency", "0"},
        {"OUT", "--frequency", "12001"},     // above a quarter of 48 kHz
        {"OUT", "--levels", "-6,x"},
        {"OUT", "--levels", "3"},            // above full scale
        {"OUT", "--colors", "Purple"},
        {"OUT", "--colors", "6"},
        {"OUT", "--colors", "Gold,"},
        {"OUT", "--sweep-step", "0"},
        {"OUT", "--setting-step", "101"},
        {"OUT", "--response-level", "0"},
        {"OUT", "--set", "Harmonic=200"},
        {"OUT", "--unknown"},
        {"OUT", "--json=yes"},
    };
    for (const std::vector<std::string>& row : rows) {
        ScratchFolder folder;
        std::vector<std::string> arguments = {"analyze"};
        std::string shown;
        for (const std::string& argument : row) {
            arguments.push_back(argument == "OUT" ? folder.Path("out") : argument == "OTHER" ? folder.Path("other")
                                                                                              : argument);
            shown += argument + " ";
        }
        const RunResult run = RunOrvanta(arguments);
        EXPECT_EQ(run.exitCode, 64) << shown << run.err;
        EXPECT_EQ(run.err.rfind("orvanta: ", 0), 0u) << shown << run.err;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_TRUE(folder.Entries().empty()) << shown;
    }
}

TEST(AnalyzeCommand, AFileInTheFoldersPlaceExits73AndStaysAsItWas) {
    ScratchFolder folder;
    {
        std::ofstream file(folder.Path("taken"));
        file << "keep";
    }
    const RunResult run = RunOrvanta(Quick({"analyze", folder.Path("taken"), "--colors", "Gold", "--levels", "-6"}));
    EXPECT_EQ(run.exitCode, 73) << run.err;
    EXPECT_EQ(ReadWhole(folder.Path("taken")), "keep");
}

TEST(AnalyzeCommand, FailedWritesExit74AndLeaveNothing) {
    // A disk that fills after 1000 bytes: the tables cannot be written.
    ScratchFolder folder;
    const RunResult full =
        RunOrvanta(Quick({"analyze", folder.Path("out"), "--colors", "Gold", "--levels", "-6"}), 1000);
    EXPECT_EQ(full.exitCode, 74) << full.err;
    EXPECT_EQ(full.err.rfind("orvanta: ", 0), 0u) << full.err;
    EXPECT_TRUE(folder.Entries().empty());  // the folder it made is gone again

    // Standard output that refuses the JSON.
    const pid_t pid = cli_test::Start({"analyze", "--json", "--no-plots", "--colors", "Gold", "--levels", "-6",
                                       "--sweep-step", "20", "--setting-step", "50"},
                                      "/dev/full", folder.Path("err"));
    ASSERT_GT(pid, 0);
    EXPECT_EQ(cli_test::Wait(pid), 74);
    EXPECT_NE(ReadWhole(folder.Path("err")).find("orvanta: writing to standard output failed"), std::string::npos);
}

TEST(AnalyzeCommand, AStopSignalEndsItWithNothingWritten) {
    ScratchFolder folder;
    const pid_t pid = cli_test::Start({"analyze", folder.Path("out"), "--no-plots", "--quiet"}, "/dev/null",
                                      folder.Path("err"));
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(cli_test::WaitUntilCaught(pid, SIGTERM));
    kill(pid, SIGTERM);
    EXPECT_EQ(cli_test::Wait(pid), 128 + SIGTERM);
    EXPECT_NE(ReadWhole(folder.Path("err")).find("orvanta: stopped by SIGTERM"), std::string::npos)
        << ReadWhole(folder.Path("err"));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"err"});  // no output folder, no staging folder
}

}  // namespace
