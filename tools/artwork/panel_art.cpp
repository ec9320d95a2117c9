#include "panel_art.h"

#include "dial_geometry.h"
#include "effect/Orvanta_Defs.h"

#include <cmath>
#include <string>

namespace artwork {

namespace {

using Orvanta::SOrvanta_EditorRect;

constexpr double kPi = 3.14159265358979323846;

double CentreX(const SOrvanta_EditorRect& r) { return r.left + r.width / 2.0; }
double CentreY(const SOrvanta_EditorRect& r) { return r.top + r.height / 2.0; }

const TextStyle kLegendStyle = {8.0, true, false, false, 1.4};
const TextStyle kScaleStyle = {7.0, false, false, false, 0.0};
const TextStyle kMarkStyle = {6.5, true, false, false, 0.8};

// ---- Plate ----

void PaintPlate(cairo_t* cr) {
    cairo_pattern_t* plate = cairo_pattern_create_linear(0, 0, 0, kPanelHeight);
    cairo_pattern_add_color_stop_rgb(plate, 0.0, palette::kPanelTop.r, palette::kPanelTop.g,
                                     palette::kPanelTop.b);
    cairo_pattern_add_color_stop_rgb(plate, 1.0, palette::kPanelBottom.r,
                                     palette::kPanelBottom.g, palette::kPanelBottom.b);
    cairo_set_source(cr, plate);
    cairo_paint(cr);
    cairo_pattern_destroy(plate);
}

// Fine horizontal brushing: short streaks a shade lighter or darker.
void PaintBrushing(cairo_t* cr) {
    Noise noise(0x5eed1234u);
    cairo_set_line_width(cr, 1.0);
    for (int streak = 0; streak < 2600; ++streak) {
        const double y = std::floor(noise.Next() * kPanelHeight) + 0.5;
        const double x = noise.Next() * (kPanelWidth + 80) - 40;
        const double length = 20 + noise.Next() * 160;
        const bool light = noise.Next() < 0.5;
        SetSource(cr, light ? palette::kHighlight : palette::kShadow,
                  (light ? 0.012 : 0.03) + noise.Next() * 0.02);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + length, y);
        cairo_stroke(cr);
    }
}

void PaintVignetteAndEdge(cairo_t* cr) {
    cairo_pattern_t* vignette = cairo_pattern_create_radial(
        kPanelWidth / 2.0, kPanelHeight * 0.35, 60, kPanelWidth / 2.0, kPanelHeight * 0.45,
        kPanelWidth * 0.62);
    cairo_pattern_add_color_stop_rgba(vignette, 0.0, 1, 1, 1, 0.035);
    cairo_pattern_add_color_stop_rgba(vignette, 1.0, 0, 0, 0, 0.30);
    cairo_set_source(cr, vignette);
    cairo_paint(cr);
    cairo_pattern_destroy(vignette);

    // Bevelled edge: lit along the top and left, shaded along the bottom and right.
    cairo_set_line_width(cr, 1.0);
    SetSource(cr, palette::kHighlight, 0.16);
    cairo_move_to(cr, 0.5, kPanelHeight - 1);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, kPanelWidth - 1, 0.5);
    cairo_stroke(cr);
    SetSource(cr, palette::kShadow, 0.75);
    cairo_move_to(cr, kPanelWidth - 0.5, 1);
    cairo_line_to(cr, kPanelWidth - 0.5, kPanelHeight - 0.5);
    cairo_line_to(cr, 1, kPanelHeight - 0.5);
    cairo_stroke(cr);
    SetSource(cr, palette::kShadow, 0.35);
    cairo_rectangle(cr, 2.5, 2.5, kPanelWidth - 5, kPanelHeight - 5);
    cairo_stroke(cr);
}

void PaintScrew(cairo_t* cr, double cx, double cy, double slotDegrees) {
    SoftShadow(cr, cx, cy + 1.0, 5.5, 0.6);
    cairo_pattern_t* head = cairo_pattern_create_linear(0, cy - 4, 0, cy + 4);
    cairo_pattern_add_color_stop_rgb(head, 0.0, 0.55, 0.56, 0.58);
    cairo_pattern_add_color_stop_rgb(head, 1.0, 0.22, 0.23, 0.25);
    cairo_set_source(cr, head);
    cairo_arc(cr, cx, cy, 4.0, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
    cairo_set_line_width(cr, 0.8);
    SetSource(cr, palette::kShadow, 0.7);
    cairo_arc(cr, cx, cy, 4.0, 0, 2 * kPi);
    cairo_stroke(cr);
    // Cross recess.
    cairo_set_line_width(cr, 1.1);
    for (double arm : {slotDegrees, slotDegrees + 90.0}) {
        double x0, y0, x1, y1;
        PolarPoint(cx, cy, 2.8, arm, &x0, &y0);
        PolarPoint(cx, cy, 2.8, arm + 180.0, &x1, &y1);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
    }
    SetSource(cr, {0.08, 0.08, 0.09});
    cairo_stroke(cr);
}

void PaintScrews(cairo_t* cr) {
    constexpr double kInset = 9.0;
    PaintScrew(cr, kInset, kInset, 20);
    PaintScrew(cr, kPanelWidth - kInset, kInset, 65);
    PaintScrew(cr, kInset, kPanelHeight - kInset, 110);
    PaintScrew(cr, kPanelWidth - kInset, kPanelHeight - kInset, 35);
}

// ---- Names ----

void PaintProductName(cairo_t* cr) {
    const TextStyle name = {15.0, true, false, false, 3.2};
    const double left = Orvanta::kEditorRect_HarmonicKnob.left;
    const double baseline = 27.0;
    DrawText(cr, "ORVANTA", left, baseline + 1, Align::kLeft, name, palette::kShadow, 0.8);
    DrawText(cr, "ORVANTA", left, baseline, Align::kLeft, name, {0.86, 0.86, 0.84});
    const double nameWidth = TextWidth(cr, "ORVANTA", name);
    // A short amber rule and the product's line under the name.
    SetSource(cr, palette::kAmber, 0.9);
    cairo_rectangle(cr, left, baseline + 4, 18, 1.2);
    cairo_fill(cr);
    const TextStyle line = {6.5, true, false, false, 1.6};
    DrawEngravedText(cr, "HARMONIC COLOR", left + nameWidth + 10, baseline, Align::kLeft, line,
                     palette::kLegendDim);
}

void PaintMakerName(cairo_t* cr) {
    const TextStyle maker = {10.5, false, true, true, 0.4};
    const auto& lastButton = Orvanta::kEditorRect_ColorButtons[Orvanta::kColorMax - 1];  // right edge
    DrawEngravedText(cr, Orvanta::kManufacturerName, lastButton.right(), 27.0,
                     Align::kRight, maker, {0.70, 0.70, 0.68});
}

// ---- Sections ----

// Thin grooves between the five control sections.
void PaintSectionGrooves(cairo_t* cr) {
    const SOrvanta_EditorRect knobs[] = {
        Orvanta::kEditorRect_HarmonicKnob, Orvanta::kEditorRect_DynamicKnob,
        Orvanta::kEditorRect_OutputTrimKnob, Orvanta::kEditorRect_DitherKnob,
        Orvanta::kEditorRect_ColorKnob};
    cairo_set_line_width(cr, 1.0);
    for (int i = 0; i + 1 < 5; ++i) {
        const double x = std::floor((knobs[i].right() + knobs[i + 1].left) / 2.0) + 0.5;
        // Starts below the dither keys and their marks, which reach into the gaps.
        const double top = Orvanta::kEditorRect_DitherOnButton.bottom() + 2.0;
        const double bottom = Orvanta::kEditorRect_HarmonicDisplay.bottom() - 1.0;
        cairo_pattern_t* fade = cairo_pattern_create_linear(0, top, 0, bottom);
        cairo_pattern_add_color_stop_rgba(fade, 0.0, 0, 0, 0, 0.0);
        cairo_pattern_add_color_stop_rgba(fade, 0.2, 0, 0, 0, 0.55);
        cairo_pattern_add_color_stop_rgba(fade, 0.8, 0, 0, 0, 0.55);
        cairo_pattern_add_color_stop_rgba(fade, 1.0, 0, 0, 0, 0.0);
        cairo_set_source(cr, fade);
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x, bottom);
        cairo_stroke(cr);
        cairo_pattern_destroy(fade);
        SetSource(cr, palette::kHighlight, 0.05);
        cairo_move_to(cr, x + 1, top + 12);
        cairo_line_to(cr, x + 1, bottom - 12);
        cairo_stroke(cr);
    }
}

// A shallow well under a knob, so the knob sits in the plate.
void PaintKnobWell(cairo_t* cr, const SOrvanta_EditorRect& knob, double radius) {
    const double cx = CentreX(knob), cy = CentreY(knob);
    cairo_pattern_t* well = cairo_pattern_create_radial(cx, cy - 2, radius - 6, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(well, 0.0, 0, 0, 0, 0.35);
    cairo_pattern_add_color_stop_rgba(well, 1.0, 0, 0, 0, 0.0);
    cairo_set_source(cr, well);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(well);
}

struct ScaleLegend {
    const char* start;   // at the start of the sweep
    const char* middle;  // above the knob, or null
    const char* end;     // at the end of the sweep
    const char* unit;    // in the gap under the knob, or null
};

// Ticks every tenth of the sweep (longer at the ends and the centre) and the
// scale's end values beside the ends of the sweep.
void PaintDialScale(cairo_t* cr, const SOrvanta_EditorRect& knob, const ScaleLegend& legend) {
    const double cx = CentreX(knob), cy = CentreY(knob);
    PaintKnobWell(cr, knob, 26.0);
    constexpr int kTicks = 11;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int tick = 0; tick < kTicks; ++tick) {
        const double degrees = DialAngle(tick, kTicks);
        const bool major = tick == 0 || tick == kTicks / 2 || tick == kTicks - 1;
        double x0, y0, x1, y1;
        PolarPoint(cx, cy, 24.0, degrees, &x0, &y0);
        PolarPoint(cx, cy, major ? 28.5 : 26.5, degrees, &x1, &y1);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        cairo_set_line_width(cr, major ? 1.3 : 1.0);
        SetSource(cr, major ? palette::kLegend : palette::kLegendDim, major ? 0.9 : 0.8);
        cairo_stroke(cr);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    double x, y;
    PolarPoint(cx, cy, 30.0, kDialStartDegrees - 8.0, &x, &y);
    DrawEngravedText(cr, legend.start, x + 1.0, y + 5.0, Align::kRight, kScaleStyle,
                     palette::kLegendDim);
    PolarPoint(cx, cy, 30.0, kDialEndDegrees + 8.0, &x, &y);
    DrawEngravedText(cr, legend.end, x - 1.0, y + 5.0, Align::kLeft, kScaleStyle,
                     palette::kLegendDim);
    if (legend.middle) {
        DrawEngravedText(cr, legend.middle, cx, cy - 31.0, Align::kCentre, kScaleStyle,
                         palette::kLegendDim);
    }
    if (legend.unit) {
        DrawEngravedText(cr, legend.unit, cx, cy + 27.0, Align::kCentre, kScaleStyle,
                         palette::kLegendDim);
    }
}

void PaintLegend(cairo_t* cr, const SOrvanta_EditorRect& knob, const std::string& name) {
    const double baseline = knob.bottom() + 20.0;
    DrawEngravedText(cr, name, CentreX(knob), baseline, Align::kCentre, kLegendStyle,
                     palette::kLegend);
}

// Dither: the two buttons are the switch's marks, named beside them.
void PaintDitherMarks(cairo_t* cr) {
    const auto& off = Orvanta::kEditorRect_DitherOffButton;
    const auto& on = Orvanta::kEditorRect_DitherOnButton;
    PaintKnobWell(cr, Orvanta::kEditorRect_DitherKnob, 23.0);
    DrawEngravedText(cr, "OFF", off.left - 3.0, CentreY(off) + 2.5, Align::kRight, kMarkStyle,
                     palette::kLegendDim);
    DrawEngravedText(cr, "ON", on.right() + 3.0, CentreY(on) + 2.5, Align::kLeft, kMarkStyle,
                     palette::kAmber);
}

// Colour: the type buttons beside the selector are its marks; the knob only
// needs its well.
void PaintColorMarks(cairo_t* cr) {
    PaintKnobWell(cr, Orvanta::kEditorRect_ColorKnob, 23.0);
}

// Recessed bezel around a value display; the display itself is plain black,
// as the toolkit draws it.
void PaintDisplayBezel(cairo_t* cr, const SOrvanta_EditorRect& display) {
    RoundedRectPath(cr, display.left - 2.5, display.top - 2.5, display.width + 5,
                    display.height + 5, 3.0);
    cairo_pattern_t* bezel = cairo_pattern_create_linear(0, display.top - 3, 0,
                                                         display.bottom() + 3);
    cairo_pattern_add_color_stop_rgba(bezel, 0.0, 0, 0, 0, 0.75);
    cairo_pattern_add_color_stop_rgba(bezel, 1.0, 1, 1, 1, 0.10);
    cairo_set_source(cr, bezel);
    cairo_fill(cr);
    cairo_pattern_destroy(bezel);
    cairo_rectangle(cr, display.left, display.top, display.width, display.height);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_fill(cr);
}

void PaintControls(cairo_t* cr) {
    PaintSectionGrooves(cr);
    PaintDialScale(cr, Orvanta::kEditorRect_HarmonicKnob, {"0", nullptr, "100", nullptr});
    PaintDialScale(cr, Orvanta::kEditorRect_DynamicKnob, {"0", nullptr, "100", nullptr});
    PaintDialScale(cr, Orvanta::kEditorRect_OutputTrimKnob, {"-6", "0", "+6", "dB"});
    PaintDitherMarks(cr);
    PaintColorMarks(cr);
    PaintLegend(cr, Orvanta::kEditorRect_HarmonicKnob, "HARMONIC");
    PaintLegend(cr, Orvanta::kEditorRect_DynamicKnob, "DYNAMIC");
    PaintLegend(cr, Orvanta::kEditorRect_OutputTrimKnob, "OUTPUT");
    PaintLegend(cr, Orvanta::kEditorRect_DitherKnob, "DITHER");
    PaintLegend(cr, Orvanta::kEditorRect_ColorKnob, "COLOR");
    for (const auto& display :
         {Orvanta::kEditorRect_HarmonicDisplay, Orvanta::kEditorRect_DynamicDisplay,
          Orvanta::kEditorRect_OutputTrimDisplay, Orvanta::kEditorRect_DitherDisplay,
          Orvanta::kEditorRect_ColorDisplay}) {
        PaintDisplayBezel(cr, display);
    }
}

}  // namespace

Image PaintPanel() {
    Image panel(kPanelWidth, kPanelHeight);
    cairo_t* cr = panel.cr();
    PaintPlate(cr);
    PaintBrushing(cr);
    PaintVignetteAndEdge(cr);
    PaintScrews(cr);
    PaintProductName(cr);
    PaintMakerName(cr);
    PaintControls(cr);
    return panel;
}

}  // namespace artwork
