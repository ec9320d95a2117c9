// Writes effect/dsp/Orvanta_Table_Data.cpp: the 8193-entry transfer curve as
// exact single-precision literals, so the build never depends on how this
// machine evaluates floating-point expressions.
//
// The curve is known by its telling rows (every 256th entry plus the entries
// next to the ends and the centre) and by its extrema. Between them it is a
// not-a-knot cubic spline in the entry index: twice continuously
// differentiable, so the stored curve has no kinks, and exact at every knot.
// Two extra knots place the extrema: each sits where the spline through it
// has zero slope, found by bisection on its position.
//
// Entry 0 is not part of the spline: the stored curve steps there (entry 0
// does not continue the run of entries 1 onward), and it keeps its value.
//
// Usage: orvanta_generate_transfer_curve <output .cpp path>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "effect/Orvanta_Defs.h"

namespace {

struct Knot {
    double k;      // entry index (may be fractional for the extrema knots)
    double value;
};

// The rows the stored curve must reproduce bit for bit, as single-precision
// values. Entry 0 is listed separately.
constexpr float kEntryZero = 0.000168558327f;
const std::vector<std::pair<int, float>> kTellingRows = {
    {1, -0.00280028977f},  {2, -0.00318940077f},  {3, -0.00357982353f},
    {256, -0.127809688f},  {512, -0.278684407f},  {768, -0.428839922f},
    {1024, -0.563020408f}, {1280, -0.67198348f},  {1536, -0.750345051f},
    {1792, -0.795490205f}, {2048, -0.806900084f}, {2304, -0.785656214f},
    {2560, -0.734049201f}, {2816, -0.655262053f}, {3072, -0.553118169f},
    {3328, -0.43188557f},  {3584, -0.296128422f}, {3840, -0.150598288f},
    {4095, -0.000745467667f}, {4096, -0.000154755762f}, {4097, 0.00043595623f},
    {4352, 0.150293633f},  {4608, 0.295838267f},  {4864, 0.431619436f},
    {5120, 0.55288583f},   {5376, 0.655071616f},  {5632, 0.733908653f},
    {5888, 0.785572588f},  {6144, 0.806878865f},  {6400, 0.795534968f},
    {6656, 0.750456572f},  {6912, 0.672159255f},  {7168, 0.563252866f},
    {7424, 0.429115355f},  {7680, 0.278980017f},  {7936, 0.128087625f},
    {8190, 0.00338337268f}, {8191, 0.00299373548f}, {8192, 0.00260468619f},
};

// The extrema of the curve: value and the pair of telling rows that
// bracket each one.
struct Extremum {
    double value;
    double searchLow, searchHigh;  // entry indices, exclusive
};
const Extremum kMinimum = {-0.807313, 1792.0, 2048.0};
const Extremum kMaximum = {0.807302, 6144.0, 6400.0};

// Not-a-knot cubic spline through the knots, in terms of the second
// derivatives M at the knots.
class CubicSpline {
public:
    explicit CubicSpline(std::vector<Knot> knots) : m_knots(std::move(knots)) { solve(); }

    double value(double k) const {
        const size_t i = segment(k);
        const double h = m_knots[i + 1].k - m_knots[i].k;
        const double a = m_knots[i + 1].k - k, b = k - m_knots[i].k;
        return m_second[i] * a * a * a / (6 * h) + m_second[i + 1] * b * b * b / (6 * h) +
               (m_knots[i].value / h - m_second[i] * h / 6) * a +
               (m_knots[i + 1].value / h - m_second[i + 1] * h / 6) * b;
    }

    double slope(double k) const {
        const size_t i = segment(k);
        const double h = m_knots[i + 1].k - m_knots[i].k;
        const double a = m_knots[i + 1].k - k, b = k - m_knots[i].k;
        return -m_second[i] * a * a / (2 * h) + m_second[i + 1] * b * b / (2 * h) -
               (m_knots[i].value / h - m_second[i] * h / 6) +
               (m_knots[i + 1].value / h - m_second[i + 1] * h / 6);
    }

private:
    size_t segment(double k) const {
        size_t i = 0;
        while (i + 2 < m_knots.size() && k > m_knots[i + 1].k) ++i;
        return i;
    }

    // Builds the linear system for M (continuity of the first derivative at
    // inner knots, continuity of the third derivative at the second and the
    // second-to-last knot) and solves it by Gaussian elimination.
    void solve() {
        const size_t n = m_knots.size();
        std::vector<std::vector<double>> a(n, std::vector<double>(n + 1, 0.0));
        auto h = [&](size_t i) { return m_knots[i + 1].k - m_knots[i].k; };
        a[0][0] = h(1);
        a[0][1] = -(h(0) + h(1));
        a[0][2] = h(0);
        for (size_t i = 1; i + 1 < n; ++i) {
            a[i][i - 1] = h(i - 1);
            a[i][i] = 2 * (h(i - 1) + h(i));
            a[i][i + 1] = h(i);
            a[i][n] = 6 * ((m_knots[i + 1].value - m_knots[i].value) / h(i) -
                           (m_knots[i].value - m_knots[i - 1].value) / h(i - 1));
        }
        a[n - 1][n - 3] = h(n - 2);
        a[n - 1][n - 2] = -(h(n - 3) + h(n - 2));
        a[n - 1][n - 1] = h(n - 3);
        for (size_t col = 0; col < n; ++col) {
            size_t pivot = col;
            for (size_t r = col + 1; r < n; ++r)
                if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
            std::swap(a[col], a[pivot]);
            for (size_t r = 0; r < n; ++r) {
                if (r == col || a[r][col] == 0.0) continue;
                const double f = a[r][col] / a[col][col];
                for (size_t c = col; c <= n; ++c) a[r][c] -= f * a[col][c];
            }
        }
        m_second.resize(n);
        for (size_t i = 0; i < n; ++i) m_second[i] = a[i][n] / a[i][i];
    }

    std::vector<Knot> m_knots;
    std::vector<double> m_second;
};

std::vector<Knot> tellingKnots() {
    std::vector<Knot> knots;
    for (const auto& row : kTellingRows) knots.push_back({double(row.first), double(row.second)});
    return knots;
}

std::vector<Knot> withKnot(std::vector<Knot> knots, Knot extra) {
    size_t at = 0;
    while (at < knots.size() && knots[at].k < extra.k) ++at;
    knots.insert(knots.begin() + long(at), extra);
    return knots;
}

// Finds the position inside the extremum's bracket at which a knot of the
// extremum's value has zero slope in the spline through it.
double placeExtremum(const std::vector<Knot>& knots, const Extremum& e) {
    auto slopeAt = [&](double k) { return CubicSpline(withKnot(knots, {k, e.value})).slope(k); };
    double lo = e.searchLow + 1, hi = e.searchHigh - 1;
    double slopeLo = slopeAt(lo);
    if ((slopeLo > 0) == (slopeAt(hi) > 0)) {
        std::fprintf(stderr, "no extremum of %.6f between entries %.0f and %.0f\n", e.value, lo, hi);
        std::exit(1);
    }
    for (int step = 0; step < 200; ++step) {
        const double mid = 0.5 * (lo + hi);
        const double s = slopeAt(mid);
        if ((s > 0) == (slopeLo > 0)) {
            lo = mid;
            slopeLo = s;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

std::vector<float> buildTable() {
    std::vector<Knot> knots = tellingKnots();
    const double minimumAt = placeExtremum(knots, kMinimum);
    const double maximumAt = placeExtremum(knots, kMaximum);
    knots = withKnot(withKnot(knots, {minimumAt, kMinimum.value}), {maximumAt, kMaximum.value});
    const CubicSpline spline(knots);

    std::vector<float> table(static_cast<size_t>(Orvanta::kTransferCurveEntries));
    table[0] = kEntryZero;
    for (size_t k = 1; k < table.size(); ++k) table[k] = float(spline.value(double(k)));
    for (const auto& row : kTellingRows) table[size_t(row.first)] = row.second;
    std::fprintf(stderr, "extrema placed at entries %.4f and %.4f\n", minimumAt, maximumAt);
    return table;
}

bool writeSource(const std::vector<float>& table, const char* path) {
    FILE* out = std::fopen(path, "w");
    if (!out) return false;
    std::fprintf(out,
                 "// Generated by tools/transfer_curve/generate_transfer_curve.cpp. Do not edit:\n"
                 "// change the generator and run the target regenerate_transfer_curve.\n"
                 "// Entry k is the curve at x = k / 4096 - 1.\n"
                 "\n"
                 "#include \"effect/dsp/Orvanta_Table_Data.h\"\n"
                 "\n"
                 "alignas(64) const float Orvanta_Table_Data[Orvanta::kTransferCurveEntries] = {\n");
    for (size_t k = 0; k < table.size(); ++k) {
        if (k % 6 == 0) std::fprintf(out, "   ");
        std::fprintf(out, " %.9gf,", double(table[k]));
        if (k % 6 == 5 || k + 1 == table.size()) std::fprintf(out, "\n");
    }
    std::fprintf(out, "};\n");
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output .cpp path>\n", argv[0]);
        return 2;
    }
    if (!writeSource(buildTable(), argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
