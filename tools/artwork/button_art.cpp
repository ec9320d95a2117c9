#include "button_art.h"

#include <cctype>
#include <cmath>

namespace artwork {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Paints both images of a button: `paint(cr, pressed)` draws one image in a
// width x height box at the origin.
template <typename PaintImage>
Image PaintButtonPair(int width, int height, PaintImage paint) {
    Image pair(width, height * 2);
    cairo_t* cr = pair.cr();
    for (int pressed = 0; pressed < 2; ++pressed) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, pressed * height, width, height);
        cairo_clip(cr);
        cairo_translate(cr, 0, pressed * height);
        paint(cr, pressed == 1);
        cairo_restore(cr);
    }
    return pair;
}

// Key body: lit from above while released, sunk (shading reversed) while
// pressed.
void FillKeyBody(cairo_t* cr, double top, double bottom, bool pressed) {
    cairo_pattern_t* body = cairo_pattern_create_linear(0, top, 0, bottom);
    const double lit = pressed ? 0.10 : 0.27;
    const double shade = pressed ? 0.19 : 0.12;
    cairo_pattern_add_color_stop_rgb(body, 0.0, lit, lit * 1.01, lit * 1.05);
    cairo_pattern_add_color_stop_rgb(body, 1.0, shade, shade * 1.01, shade * 1.05);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    cairo_set_line_width(cr, 1.0);
    SetSource(cr, palette::kShadow, 0.9);
    cairo_stroke(cr);
}

// A key's mark; while the key is held it glows.
void StrokeGlyph(cairo_t* cr, double width, const Rgb& ink, bool glowing) {
    if (glowing) {
        cairo_set_line_width(cr, width + 2.4);
        SetSource(cr, ink, 0.25);
        cairo_stroke_preserve(cr);
    }
    cairo_set_line_width(cr, width);
    SetSource(cr, ink, glowing ? 1.0 : 0.85);
    cairo_stroke(cr);
}

std::string UpperCase(std::string text) {
    for (char& letter : text) letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    return text;
}

}  // namespace

Image PaintColorTypeButton(int width, int height, const std::string& name, const Rgb& tint) {
    const std::string label = UpperCase(name);
    return PaintButtonPair(width, height, [&](cairo_t* cr, bool pressed) {
        RoundedRectPath(cr, 0.5, 0.5, width - 1.0, height - 1.0, 2.5);
        FillKeyBody(cr, 0, height, pressed);
        if (pressed) {  // lit from within by its colour
            RoundedRectPath(cr, 1.0, 1.0, width - 2.0, height - 2.0, 2.0);
            SetSource(cr, tint, 0.28);
            cairo_fill(cr);
        }
        // Colour swatch at the end that faces the selector.
        cairo_arc(cr, 4.5, height / 2.0, 1.6, 0, 2 * kPi);
        SetSource(cr, tint, pressed ? 1.0 : 0.75);
        cairo_fill(cr);
        const TextStyle style = {6.8, true, false, false, 0.7};
        const double textLeft = 8.0;
        const double centre = textLeft + (width - 2.0 - textLeft) / 2.0;
        const Rgb ink = pressed ? Mix(tint, palette::kHighlight, 0.55) : tint;
        DrawText(cr, label, centre, height - 2.0, Align::kCentre, style, ink);
    });
}

Image PaintDitherOffButton(int width, int height) {
    return PaintButtonPair(width, height, [=](cairo_t* cr, bool pressed) {
        RoundedRectPath(cr, 1.5, 1.5, width - 3.0, height - 3.0, 3.0);
        FillKeyBody(cr, 1, height - 1, pressed);
        cairo_arc(cr, width / 2.0, height / 2.0, 3.3, 0, 2 * kPi);
        StrokeGlyph(cr, 1.4, pressed ? palette::kHighlight : palette::kLegend, pressed);
    });
}

Image PaintDitherOnButton(int width, int height) {
    return PaintButtonPair(width, height, [=](cairo_t* cr, bool pressed) {
        const double cx = width / 2.0, cy = height / 2.0;
        const double radius = std::min(width, height) / 2.0 - 1.5;
        cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
        FillKeyBody(cr, cy - radius, cy + radius, pressed);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, cx, cy - 3.8);
        cairo_line_to(cr, cx, cy + 3.8);
        StrokeGlyph(cr, 1.6, pressed ? Mix(palette::kAmber, palette::kHighlight, 0.4) : palette::kAmber,
                    pressed);
    });
}

}  // namespace artwork
