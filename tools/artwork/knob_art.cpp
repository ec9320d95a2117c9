#include "knob_art.h"

#include "dial_geometry.h"
#include "effect/Orvanta_Defs.h"

#include <cmath>

namespace artwork {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kFrame = Orvanta::kEditorKnobSize;
constexpr double kCentre = kFrame / 2.0;

// Knob proportions, chosen so that the switch's neighbouring buttons (which
// overlap the top and right of its square) never cover the knob itself.
constexpr double kSkirtRadius = 20.5;
constexpr double kCapRadius = 15.0;
constexpr double kSwitchBaseRadius = 16.0;

// The scene is lit from above: surfaces facing up are brighter. `degrees`
// is the direction a surface faces; the result runs from 0 (down) to 1 (up).
double LightFacing(double degrees) {
    return 0.5 + 0.5 * std::cos(degrees * kPi / 180.0);
}

void FillVerticalGradientDisc(cairo_t* cr, double radius, const Rgb& top, const Rgb& bottom) {
    cairo_pattern_t* body = cairo_pattern_create_linear(0, kCentre - radius, 0, kCentre + radius);
    cairo_pattern_add_color_stop_rgb(body, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(body, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, body);
    cairo_arc(cr, kCentre, kCentre, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
}

// A one-pixel rim: bright where it faces the light, dark below.
void StrokeLitRim(cairo_t* cr, double radius, double brightAlpha, double darkAlpha) {
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, kCentre - radius, 0, kCentre + radius);
    cairo_pattern_add_color_stop_rgba(rim, 0.0, 1, 1, 1, brightAlpha);
    cairo_pattern_add_color_stop_rgba(rim, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(rim, 1.0, 0, 0, 0, darkAlpha);
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 1.0);
    cairo_arc(cr, kCentre, kCentre, radius - 0.5, 0, 2 * kPi);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
}

// Knurled skirt: ridges turn with the knob, their shading stays with the light.
void PaintSkirt(cairo_t* cr, double pointerDegrees) {
    FillVerticalGradientDisc(cr, kSkirtRadius, {0.29, 0.30, 0.32}, {0.08, 0.085, 0.095});
    constexpr int kRidges = 48;
    cairo_set_line_width(cr, 1.0);
    for (int i = 0; i < kRidges; ++i) {
        const double ridge = pointerDegrees + i * (360.0 / kRidges);
        const double lit = LightFacing(ridge);
        double x0, y0, x1, y1;
        PolarPoint(kCentre, kCentre, kCapRadius + 1.5, ridge, &x0, &y0);
        PolarPoint(kCentre, kCentre, kSkirtRadius - 0.6, ridge, &x1, &y1);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        SetSource(cr, palette::kHighlight, 0.04 + 0.16 * lit);
        cairo_stroke(cr);
        const double groove = ridge + 180.0 / kRidges;
        PolarPoint(kCentre, kCentre, kCapRadius + 1.5, groove, &x0, &y0);
        PolarPoint(kCentre, kCentre, kSkirtRadius - 0.6, groove, &x1, &y1);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        SetSource(cr, palette::kShadow, 0.45);
        cairo_stroke(cr);
    }
    StrokeLitRim(cr, kSkirtRadius, 0.30, 0.0);
    cairo_set_line_width(cr, 1.0);
    SetSource(cr, palette::kShadow, 0.7);
    cairo_arc(cr, kCentre, kCentre, kSkirtRadius + 0.2, 0, 2 * kPi);
    cairo_stroke(cr);
}

// Spun-metal cap: the concentric machining throws two bright and two dark
// sectors, which do not move when the knob turns.
void PaintCap(cairo_t* cr) {
    constexpr int kWedges = 180;
    for (int i = 0; i < kWedges; ++i) {
        const double from = i * (360.0 / kWedges);
        const double to = from + 360.0 / kWedges + 0.6;  // overlap hides seams
        const double sheen = 0.5 + 0.5 * std::cos(2.0 * (from - 35.0) * kPi / 180.0);
        const double grey = 0.20 + 0.13 * sheen + 0.05 * LightFacing(from);
        cairo_set_source_rgb(cr, grey, grey * 1.01, grey * 1.04);
        cairo_move_to(cr, kCentre, kCentre);
        cairo_arc(cr, kCentre, kCentre, kCapRadius, DegreesToCairoRadians(from),
                  DegreesToCairoRadians(to));
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    // A faint dome: brighter toward the light.
    cairo_pattern_t* dome = cairo_pattern_create_radial(kCentre, kCentre - 7, 1, kCentre,
                                                        kCentre, kCapRadius);
    cairo_pattern_add_color_stop_rgba(dome, 0.0, 1, 1, 1, 0.10);
    cairo_pattern_add_color_stop_rgba(dome, 1.0, 0, 0, 0, 0.18);
    cairo_set_source(cr, dome);
    cairo_arc(cr, kCentre, kCentre, kCapRadius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(dome);
    StrokeLitRim(cr, kCapRadius, 0.45, 0.55);
}

void PaintPointerLine(cairo_t* cr, double degrees, double inner, double outer, double width) {
    double x0, y0, x1, y1;
    PolarPoint(kCentre, kCentre, inner, degrees, &x0, &y0);
    PolarPoint(kCentre, kCentre, outer, degrees, &x1, &y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, width + 1.4);
    SetSource(cr, palette::kShadow, 0.55);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, width);
    SetSource(cr, palette::kAmber);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void PaintDialFrame(cairo_t* cr, double degrees) {
    SoftShadow(cr, kCentre, kCentre + 2.5, kSkirtRadius + 4.0, 0.6);
    PaintSkirt(cr, degrees);
    PaintCap(cr);
    PaintPointerLine(cr, degrees, 5.5, kSkirtRadius - 1.5, 2.0);
}

// The pointer bar of a switch in knob coordinates (pointing up, origin at the
// knob's centre): a long tapering tip and a short rounded tail.
void SwitchBarPath(cairo_t* cr) {
    constexpr double kTip = 21.0;
    constexpr double kHalfWidth = 6.0;
    constexpr double kTail = 9.0;
    cairo_move_to(cr, 0, -kTip);
    cairo_curve_to(cr, 1.8, -kTip + 3.0, kHalfWidth, -6.0, kHalfWidth, 0.0);
    cairo_line_to(cr, kHalfWidth, kTail - kHalfWidth);
    cairo_arc(cr, 0, kTail - kHalfWidth, kHalfWidth, 0, kPi);
    cairo_line_to(cr, -kHalfWidth, 0.0);
    cairo_curve_to(cr, -kHalfWidth, -6.0, -1.8, -kTip + 3.0, 0, -kTip);
    cairo_close_path(cr);
}

void PaintSwitchFrame(cairo_t* cr, double degrees) {
    SoftShadow(cr, kCentre, kCentre + 2.5, kSwitchBaseRadius + 4.0, 0.6);
    FillVerticalGradientDisc(cr, kSwitchBaseRadius, {0.26, 0.27, 0.29}, {0.07, 0.075, 0.085});
    StrokeLitRim(cr, kSwitchBaseRadius, 0.35, 0.6);

    const double radians = degrees * kPi / 180.0;
    // Shadow of the bar on the base, then the bar, lit in panel space.
    for (int pass = 0; pass < 2; ++pass) {
        cairo_save(cr);
        cairo_translate(cr, kCentre, kCentre + (pass == 0 ? 2.0 : 0.0));
        cairo_rotate(cr, radians);
        SwitchBarPath(cr);
        cairo_restore(cr);
        if (pass == 0) {
            SetSource(cr, palette::kShadow, 0.55);
            cairo_fill(cr);
            continue;
        }
        cairo_pattern_t* body = cairo_pattern_create_linear(0, kCentre - 21, 0, kCentre + 21);
        cairo_pattern_add_color_stop_rgb(body, 0.0, 0.42, 0.43, 0.46);
        cairo_pattern_add_color_stop_rgb(body, 0.45, 0.23, 0.24, 0.26);
        cairo_pattern_add_color_stop_rgb(body, 1.0, 0.11, 0.115, 0.125);
        cairo_set_source(cr, body);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(body);
        cairo_set_line_width(cr, 0.9);
        SetSource(cr, palette::kShadow, 0.8);
        cairo_stroke(cr);
    }
    PaintPointerLine(cr, degrees, 2.0, 18.0, 1.6);
    // Centre rivet.
    cairo_arc(cr, kCentre, kCentre, 2.2, 0, 2 * kPi);
    SetSource(cr, {0.50, 0.51, 0.53});
    cairo_fill(cr);
    StrokeLitRim(cr, 2.6, 0.0, 0.7);
}

template <typename PaintFrame>
Image PaintStrip(int frames, PaintFrame paintFrame) {
    Image strip(kFrame, kFrame * frames);
    cairo_t* cr = strip.cr();
    for (int frame = 0; frame < frames; ++frame) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, frame * kFrame, kFrame, kFrame);
        cairo_clip(cr);
        cairo_translate(cr, 0, frame * kFrame);
        paintFrame(cr, frame);
        cairo_restore(cr);
    }
    return strip;
}

}  // namespace

Image PaintDialStrip(int frames) {
    return PaintStrip(frames, [frames](cairo_t* cr, int frame) {
        PaintDialFrame(cr, DialAngle(frame, frames));
    });
}

Image PaintSwitchStrip(const std::vector<double>& angles) {
    return PaintStrip(static_cast<int>(angles.size()), [&angles](cairo_t* cr, int frame) {
        PaintSwitchFrame(cr, angles[frame]);
    });
}

}  // namespace artwork
