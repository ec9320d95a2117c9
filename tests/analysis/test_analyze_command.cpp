// orvanta analyze run on the built plug-in bundle.
#include <map>

#include "CliHarness.h"

namespace {

using namespace cli_test;

// A CSV table as rows of named fields.
using Row = std::map<std::string, std::string>;

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line + ",");  // so that a last empty field counts
    for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
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
        Row& row = rows.emplace_back();
        for (size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
    }
    return rows;
}

double Value(const Row& row, const std::string& column) {
    const auto found = row.find(column);
    EXPECT_NE(found, row.end()) << column;
    return found == row.end() || found->second.empty() ? NAN : std::atof(found->second.c_str());
}

// The quick settings: coarse sweeps, no pictures.
std::vector<std::string> Quick(const std::vector<std::string>& arguments) {
    return Concat(arguments, {"--no-plots", "--sweep-step", "20", "--setting-step", "50", "--quiet"});
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

TEST(AnalyzeCommand, ColourTypesMeasureApartInTablesAndPlots) {
    // The leak checker must not count the plotting libraries' process-wide state.
    setenv("LSAN_OPTIONS", "print_suppressions=0:suppressions=" ORVANTA_SOURCE_DIR "/tests/analysis/plotting.supp", 1);
    ScratchFolder scratch;
    const std::string output = scratch.Path("analysis");
    const RunResult run = RunOrvanta({"analyze", output, "--colors", "silver,5", "--sweep-step", "20",
                                      "--setting-step", "50", "--levels", "-6"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "Silver")) << run.out;
    const std::vector<std::string> expected = {
        "analysis.json",          "frequency-response.csv",   "frequency-response.png",   "harmonics-vs-dynamic.csv",
        "harmonics-vs-dynamic.png", "harmonics-vs-harmonic.csv", "harmonics-vs-harmonic.png", "harmonics-vs-level.csv",
        "harmonics-vs-level.png", "harmonics.csv",            "harmonics.png",            "output-frequency-content.png",
        "transfer-curve.csv",     "transfer-curve.png"};
    EXPECT_EQ(EntriesOf(output), expected);  // no staging folder left behind
    for (const std::string& name : expected)
        EXPECT_TRUE(!Has(name, ".png") || ReadWhole(output + "/" + name).substr(0, 8) == "\x89PNG\r\n\x1a\n")
            << name;
    const std::vector<Row> spectra = ReadTable(output + "/harmonics.csv");
    ASSERT_EQ(spectra.size(), 2u);
    EXPECT_EQ(spectra[0].at("colour"), "Silver");
    EXPECT_EQ(spectra[1].at("colour"), "Deep");
    EXPECT_EQ(Value(spectra[0], "harmonic_percent"), 100.0);  // the analysis default
    // Deep colours far more strongly than Silver.
    EXPECT_GT(Value(spectra[1], "thd_db"), Value(spectra[0], "thd_db") + 10.0);
    EXPECT_GT(Value(spectra[0], "thd_db"), -80.0);

    // Harmonic 0 leaves the dry signal: the sweep starts from no colour.
    const std::vector<Row> harmonicSweep = ReadTable(output + "/harmonics-vs-harmonic.csv");
    ASSERT_EQ(harmonicSweep.size(), 6u);  // 0, 50, 100 % for each colour type
    EXPECT_EQ(Value(harmonicSweep[0], "harmonic_percent"), 0.0);
    EXPECT_LT(Value(harmonicSweep[0], "thd_db"), -120.0);
    EXPECT_EQ(Value(harmonicSweep[2], "harmonic_percent"), 100.0);
    EXPECT_NEAR(Value(harmonicSweep[2], "thd_db"), Value(spectra[0], "thd_db"), 1e-3);

    const std::vector<Row> levelSweep = ReadTable(output + "/harmonics-vs-level.csv");
    ASSERT_EQ(levelSweep.size(), 6u);  // -40, -20, 0 dBFS for each colour type
    EXPECT_EQ(Value(levelSweep[0], "input_dbfs"), -40.0);
    EXPECT_EQ(Value(levelSweep[2], "input_dbfs"), 0.0);
}

// Settings choose the one colour type measured; the JSON goes to standard output alone.
TEST(AnalyzeCommand, SettingsChooseTheColourMeasuredAndJsonGoesToStandardOutput) {
    const RunResult run = RunOrvanta(
        Quick({"analyze", "--json", "--set", "Color=Rich", "--set", "Harmonic=40", "--levels", "-6,0"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ScratchFolder folder;
    WriteText(folder.Path("analysis.json"), run.out);
    // A JSON reader nobody here wrote checks the document and its shape.
    const std::string check =
        "python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); "
        "assert d[\"colours\"]==[\"Rich\"]; assert len(d[\"harmonics\"])==2; "
        "assert d[\"harmonics\"][1][\"colour\"]==\"Rich\"; "
        "assert d[\"harmonics\"][1][\"harmonic_percent\"]==40; "
        "assert len(d[\"harmonics\"][0][\"harmonics_dbc\"])==9; "
        "assert len(d[\"frequency_response\"][0][\"magnitude_db\"])==4096' '" +
        folder.Path("analysis.json") + "'";
    EXPECT_EQ(std::system(check.c_str()), 0) << run.out.substr(0, 400);
}

// None leaves anything behind. (A standard output that refuses the JSON: tests/cli/test_program.)
TEST(AnalyzeCommand, FailuresExitWithTheirCodeAndWriteNothing) {
    const struct {
        int exitCode;
        std::vector<std::string> arguments;
        long fileSizeLimit;
    } rows[] = {
        {64, {}, 0},  // neither a folder nor --json
        {64, {"OUT", "OTHER"}, 0},
        {64, {"OUT", "--rate", "22050"}, 0},  // a rate the effect does not run at
        {64, {"OUT", "--frequency", "0"}, 0},
        {64, {"OUT", "--frequency", "12001"}, 0},  // above a quarter of 48 kHz
        {64, {"OUT", "--levels", "-6,x"}, 0},
        {64, {"OUT", "--levels", "3"}, 0},  // above full scale
        {64, {"OUT", "--colors", "Purple"}, 0},
        {64, {"OUT", "--colors", "6"}, 0},
        {64, {"OUT", "--colors", "Gold,"}, 0},
        {64, {"OUT", "--sweep-step", "0"}, 0},
        {64, {"OUT", "--setting-step", "101"}, 0},
        {64, {"OUT", "--response-level", "0"}, 0},
        {64, {"OUT", "--set", "Harmonic=200"}, 0},
        {64, {"OUT", "--unknown"}, 0},
        {64, {"OUT", "--json=yes"}, 0},
        {73, Quick({"taken", "--colors", "Gold", "--levels", "-6"}), 0},
        {74, Quick({"OUT", "--colors", "Gold", "--levels", "-6"}), 1000},
    };
    for (const auto& row : rows) {
        ScratchFolder folder;
        WriteText(folder.Path("taken"), "keep");
        std::vector<std::string> arguments = {"analyze"};
        std::string shown;
        for (const std::string& argument : row.arguments) {
            arguments.push_back(argument == "OUT" || argument == "OTHER" || argument == "taken"
                                    ? folder.Path(argument)
                                    : argument);
            shown += argument + " ";
        }
        SCOPED_TRACE(shown);
        const RunResult run = RunOrvanta(arguments, row.fileSizeLimit);
        EXPECT_EQ(run.exitCode, row.exitCode) << run.err;
        EXPECT_EQ(run.err.rfind("orvanta: ", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"taken"});
        EXPECT_EQ(ReadWhole(folder.Path("taken")), "keep");
    }
}

TEST(AnalyzeCommand, AStopSignalEndsItWithNothingWritten) {
    ScratchFolder folder;
    const pid_t pid =
        Start({"analyze", folder.Path("out"), "--no-plots", "--quiet"}, "/dev/null", folder.Path("err"));
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitUntilCaught(pid, SIGTERM));
    kill(pid, SIGTERM);
    EXPECT_EQ(Wait(pid), 128 + SIGTERM);
    EXPECT_TRUE(Has(ReadWhole(folder.Path("err")), "orvanta: stopped by SIGTERM"))
        << ReadWhole(folder.Path("err"));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"err"});  // no output folder, no staging folder
}

}  // namespace
