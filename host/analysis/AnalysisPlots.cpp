#include "AnalysisPlots.h"

#include <plplot.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>


namespace Analysis {

namespace {
constexpr PLINT kPictureWidth = 1200;
constexpr PLINT kPictureHeight = 800;
constexpr PLINT kPanelHeight = 380;     // pictures of more than two rows grow by this per row
constexpr double kLowestFrequency = 20.0;  // Hz, left end of frequency axes

// Colour map 0: background, ink, grid, then one colour per colour type.
constexpr PLINT kBackground = 0;
constexpr PLINT kInk = 1;
constexpr PLINT kGrid = 2;
constexpr PLINT kFirstTraceColour = 3;
struct Rgb {
    PLINT red, green, blue;
};
constexpr Rgb kPalette[] = {
    {255, 255, 255}, {0, 0, 0},      {215, 215, 215},                 // background, ink, grid
    {110, 120, 135}, {200, 150, 0},  {150, 40, 150}, {210, 50, 40},  // silver, gold, rich, fat
    {30, 80, 200},   {40, 150, 80},  {120, 80, 30},  {0, 160, 170},  // deep, then spares
};
constexpr int kTraceColours = int(sizeof kPalette / sizeof kPalette[0]) - kFirstTraceColour;

int g_ExitCodeOnFailure = 1;
int ExitCodeForPlotFailure(PLCHAR_VECTOR message) {
    std::fprintf(stderr, "orvanta: drawing the plots failed: %s\n", message);
    return g_ExitCodeOnFailure;
}

// The palette's first trace colours go to the effect's colour types in
// their order, the rest are spares.
constexpr int kColourTypeColours = 5;

// The colour types of the report being drawn, with their places.
std::vector<std::string> g_ColourNames;
std::vector<int> g_ColourPlaces;

// Each colour type keeps its own colour in every plot; other names take
// the spare colours in order.
PLINT TraceColour(const std::string& name, size_t index) {
    for (size_t i = 0; i < g_ColourNames.size() && i < g_ColourPlaces.size(); ++i)
        if (name == g_ColourNames[i] && g_ColourPlaces[i] >= 0 && g_ColourPlaces[i] < kColourTypeColours)
            return kFirstTraceColour + g_ColourPlaces[i];
    return kFirstTraceColour + PLINT((kColourTypeColours + index) % kTraceColours);
}

struct Trace {
    std::string name;
    std::vector<double> x, y;
};

struct Axes {
    std::string title, xLabel, yLabel;
    bool logFrequency = false;  // x holds Hz, drawn on a log10 scale
    bool markers = false;       // mark each point (sweeps with few points)
};

// Opens a picture with rows x columns panels.
void BeginPicture(const std::string& path, int columns, int rows) {
    plsexit(ExitCodeForPlotFailure);
    plsdev("pngcairo");
    plsfnam(path.c_str());
    plspage(0, 0, kPictureWidth, std::max(kPictureHeight, kPanelHeight * rows), 0, 0);
    for (size_t i = 0; i < sizeof kPalette / sizeof kPalette[0]; ++i)
        plscol0(PLINT(i), kPalette[i].red, kPalette[i].green, kPalette[i].blue);
    plssub(columns, rows);
    plinit();
}

void EndPicture() { plend(); }

double AxisValue(double value, bool logarithmic) { return logarithmic ? std::log10(value) : value; }

// Smallest and largest values over the traces' drawable points, padded
// vertically.
void Range(const std::vector<Trace>& traces, bool useX, bool logFrequency, double* low, double* high) {
    *low = HUGE_VAL;
    *high = -HUGE_VAL;
    for (const Trace& trace : traces)
        for (size_t n = 0; n < trace.x.size(); ++n) {
            if (!std::isfinite(trace.y[n]) || (logFrequency && trace.x[n] < kLowestFrequency)) continue;
            const double value = useX ? AxisValue(trace.x[n], logFrequency) : trace.y[n];
            *low = std::min(*low, value);
            *high = std::max(*high, value);
        }
    if (*low > *high) *low = 0.0, *high = 1.0;
    if (*high - *low < 1e-9) *low -= 1.0, *high += 1.0;
    if (!useX) {
        const double pad = 0.05 * (*high - *low);
        *low -= pad, *high += pad;
    }
}

void DrawLegend(const std::vector<Trace>& traces, bool markers) {
    const PLINT count = PLINT(traces.size());
    std::vector<PLINT> options(count, PL_LEGEND_LINE | (markers ? PL_LEGEND_SYMBOL : 0));
    std::vector<PLINT> textColours(count, kInk), lineColours(count), lineStyles(count, 1), symbolNumbers(count, 1);
    std::vector<PLFLT> lineWidths(count, 2.0), symbolScales(count, 1.0);
    std::vector<const char*> texts(count), symbols(count, "#(728)");
    for (PLINT i = 0; i < count; ++i) {
        lineColours[i] = TraceColour(traces[i].name, i);
        texts[i] = traces[i].name.c_str();
    }
    PLFLT width = 0, height = 0;
    pllegend(&width, &height, PL_LEGEND_BACKGROUND | PL_LEGEND_BOUNDING_BOX, PL_POSITION_OUTSIDE | PL_POSITION_RIGHT,
             0.01, 0.0, 0.06, kBackground, kInk, 1, 0, 0, count, options.data(), 0.8, 0.8, 2.0, 0.0,
             textColours.data(), texts.data(), nullptr, nullptr, nullptr, nullptr, lineColours.data(),
             lineStyles.data(), lineWidths.data(), lineColours.data(), symbolScales.data(), symbolNumbers.data(),
             symbols.data());
}

// One panel: grid, axes, labels, the traces and their legend. yRange may
// fix the vertical range (low < high) or leave it to the data.
void DrawPanel(const Axes& axes, const std::vector<Trace>& traces, double yLow = 0.0, double yHigh = 0.0) {
    pladv(0);
    plschr(0.0, 0.9);
    plvpor(0.10, 0.82, 0.17, 0.88);
    double xLow, xHigh;
    Range(traces, true, axes.logFrequency, &xLow, &xHigh);
    if (yLow >= yHigh) Range(traces, false, axes.logFrequency, &yLow, &yHigh);
    plwind(xLow, xHigh, yLow, yHigh);
    const char* xOptions = axes.logFrequency ? "bcnstl" : "bcnst";
    plcol0(kGrid);
    plwidth(0.5);
    plbox(axes.logFrequency ? "gl" : "g", 0.0, 0, "g", 0.0, 0);
    plcol0(kInk);
    plwidth(1.0);
    plbox(xOptions, 0.0, 0, "bcnstv", 0.0, 0);
    pllab(axes.xLabel.c_str(), axes.yLabel.c_str(), axes.title.c_str());
    for (size_t i = 0; i < traces.size(); ++i) {
        const Trace& trace = traces[i];
        std::vector<PLFLT> x, y;
        for (size_t n = 0; n < trace.x.size(); ++n) {
            if (!std::isfinite(trace.y[n]) || (axes.logFrequency && trace.x[n] < kLowestFrequency)) continue;
            x.push_back(AxisValue(trace.x[n], axes.logFrequency));
            y.push_back(std::min(std::max(trace.y[n], yLow), yHigh));
        }
        plcol0(TraceColour(trace.name, i));
        plwidth(2.0);
        plline(PLINT(x.size()), x.data(), y.data());
        if (axes.markers) plstring(PLINT(x.size()), x.data(), y.data(), "#(728)");
    }
    plwidth(1.0);
    DrawLegend(traces, axes.markers);
}

std::string LevelText(double dbfs) {
    char text[32];
    std::snprintf(text, sizeof text, "%g dBFS", dbfs);
    return text;
}

std::string FrequencyText(double hertz) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f Hz", hertz);
    return text;
}

// Traces of one harmonic level (or THD) against a setting, one per colour.
std::vector<Trace> SweepTraces(const std::vector<HarmonicPoint>& points,
                               const std::function<double(const HarmonicPoint&)>& xOf,
                               const std::function<double(const HarmonicLevels&)>& yOf) {
    std::vector<Trace> traces;
    std::map<std::string, size_t> indexOf;
    for (const HarmonicPoint& point : points) {
        auto found = indexOf.find(point.colour);
        if (found == indexOf.end()) {
            found = indexOf.emplace(point.colour, traces.size()).first;
            traces.push_back(Trace{point.colour, {}, {}});
        }
        traces[found->second].x.push_back(xOf(point));
        traces[found->second].y.push_back(yOf(point.levels));
    }
    return traces;
}

// H2, H3 and THD against one setting, in three panels.
void DrawSweep(const std::string& path, const std::vector<HarmonicPoint>& points, const std::string& setting,
               const std::string& xLabel, const std::function<double(const HarmonicPoint&)>& xOf,
               const std::string& condition) {
    BeginPicture(path, 1, 3);
    const std::pair<std::string, std::function<double(const HarmonicLevels&)>> quantities[] = {
        {"2nd harmonic (H2)", [](const HarmonicLevels& l) { return l.harmonicsDbc[0]; }},
        {"3rd harmonic (H3)", [](const HarmonicLevels& l) { return l.harmonicsDbc[1]; }},
        {"THD (harmonics 2 to 10)", [](const HarmonicLevels& l) { return l.thdDb; }},
    };
    for (const auto& quantity : quantities) {
        Axes axes{quantity.first + " against " + setting + ", " + condition, xLabel, "level (dBc)", false, true};
        DrawPanel(axes, SweepTraces(points, xOf, quantity.second));
    }
    EndPicture();
}

void DrawSpectra(const std::string& path, const AnalysisReport& report) {
    const size_t count = report.spectrumTraces.size();
    const int rows = count <= 1 ? 1 : int((count + 1) / 2);
    BeginPicture(path, count <= 1 ? 1 : 2, rows);
    for (size_t i = 0; i < count; ++i) {
        const SpectrumTrace& spectrum = report.spectrumTraces[i];
        Axes axes{spectrum.colour + ": output spectrum, " + FrequencyText(report.toneFrequency) + " sine at " +
                      LevelText(spectrum.inputDbfs),
                  "frequency (Hz)", "level (dBFS)", true, false};
        DrawPanel(axes, {Trace{spectrum.colour, spectrum.frequency, spectrum.levelDbfs}}, -180.0, 5.0);
    }
    EndPicture();
}

void DrawHarmonicLevels(const std::string& path, const AnalysisReport& report) {
    BeginPicture(path, 1, 1);
    std::vector<HarmonicPoint> reference;
    for (const HarmonicPoint& point : report.spectra)
        if (point.inputDbfs == report.spectrumTraces.front().inputDbfs) reference.push_back(point);
    std::vector<Trace> traces;
    for (const HarmonicPoint& point : reference) {
        Trace trace{point.colour, {}, {}};
        for (int h = 2; h <= kHighestHarmonic; ++h) {
            trace.x.push_back(h);
            trace.y.push_back(point.levels.harmonicsDbc[h - 2]);
        }
        traces.push_back(trace);
    }
    Axes axes{"Harmonics 2 to 10 of a " + FrequencyText(report.toneFrequency) + " sine at " +
                  LevelText(reference.empty() ? 0.0 : reference.front().inputDbfs),
              "harmonic number", "level (dBc)", false, true};
    DrawPanel(axes, traces);
    EndPicture();
}

void DrawResponse(const std::string& path, const AnalysisReport& report) {
    BeginPicture(path, 1, 2);
    std::vector<Trace> magnitude, phase;
    for (const ResponseTrace& trace : report.responses) {
        magnitude.push_back(Trace{trace.colour, trace.response.frequency, trace.response.magnitudeDb});
        phase.push_back(Trace{trace.colour, trace.response.frequency, trace.response.phaseDegrees});
    }
    const std::string level = report.responses.empty() ? "" : LevelText(report.responses.front().inputDbfs) + " RMS";
    DrawPanel(Axes{"Frequency response (magnitude), white noise at " + level, "frequency (Hz)", "gain (dB)", true,
                   false},
              magnitude);
    DrawPanel(Axes{"Frequency response (phase, delay removed)", "frequency (Hz)", "phase (degrees)", true, false},
              phase, -180.0, 180.0);
    EndPicture();
}

void DrawTransfer(const std::string& path, const AnalysisReport& report) {
    BeginPicture(path, 1, 1);
    std::vector<Trace> traces;
    for (const TransferTrace& trace : report.transfers) {
        Trace closed{trace.colour, trace.input, trace.output};
        if (!closed.x.empty()) {
            closed.x.push_back(closed.x.front());
            closed.y.push_back(closed.y.front());
        }
        traces.push_back(closed);
    }
    DrawPanel(Axes{"Transfer curve: one cycle of a full-scale " + FrequencyText(report.toneFrequency) + " sine",
                   "input (full scale = 1)", "output (full scale = 1)", false, false},
              traces);
    EndPicture();
}
}  // namespace

std::vector<std::string> PlotFileNames() {
    return {"output-frequency-content.png",        "harmonics.png",            "harmonics-vs-level.png",
            "harmonics-vs-harmonic.png", "harmonics-vs-dynamic.png", "frequency-response.png",
            "transfer-curve.png"};
}

void DrawPlots(const AnalysisReport& report, const std::string& folder, int exitCodeOnFailure) {
    g_ColourNames = report.colours;
    g_ColourPlaces = report.colourPlaces;
    g_ExitCodeOnFailure = exitCodeOnFailure;
    const std::vector<std::string> names = PlotFileNames();
    DrawSpectra(folder + "/" + names[0], report);
    DrawHarmonicLevels(folder + "/" + names[1], report);
    const std::string atSweepLevel = FrequencyText(report.toneFrequency) + " at " + LevelText(report.sweepLevelDbfs);
    DrawSweep(folder + "/" + names[2], report.levelSweep, "input level", "input level (dBFS)",
              [](const HarmonicPoint& p) { return p.inputDbfs; }, FrequencyText(report.toneFrequency));
    DrawSweep(folder + "/" + names[3], report.harmonicSweep, report.blendParameter, report.blendParameter + " (%)",
              [](const HarmonicPoint& p) { return p.harmonic; }, atSweepLevel);
    DrawSweep(folder + "/" + names[4], report.dynamicSweep, report.driveParameter, report.driveParameter + " (%)",
              [](const HarmonicPoint& p) { return p.dynamic; }, atSweepLevel);
    DrawResponse(folder + "/" + names[5], report);
    DrawTransfer(folder + "/" + names[6], report);
}

}  // namespace Analysis
