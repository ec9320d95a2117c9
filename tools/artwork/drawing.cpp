#include "drawing.h"

#include <cmath>
#include <utility>

namespace artwork {

namespace {

constexpr double kPi = 3.14159265358979323846;

void SelectFont(cairo_t* cr, const TextStyle& style) {
    cairo_select_font_face(cr, style.serif ? "DejaVu Serif" : "DejaVu Sans",
                           style.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, style.size);
    // Small legends stay crisp only with slight hinting and grey antialiasing.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double LetterAdvance(cairo_t* cr, char letter) {
    const char text[2] = {letter, '\0'};
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    return extents.x_advance;
}

double TrackedWidth(cairo_t* cr, const std::string& text, double tracking) {
    double width = 0.0;
    for (char letter : text) width += LetterAdvance(cr, letter) + tracking;
    return text.empty() ? 0.0 : width - tracking;
}

}  // namespace

Image::Image(int width, int height)
    : m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      m_cr(cairo_create(m_surface)),
      m_width(width),
      m_height(height) {}

Image::Image(Image&& other) noexcept
    : m_surface(std::exchange(other.m_surface, nullptr)),
      m_cr(std::exchange(other.m_cr, nullptr)),
      m_width(other.m_width),
      m_height(other.m_height) {}

Image& Image::operator=(Image&& other) noexcept {
    if (this != &other) {
        Release();
        m_surface = std::exchange(other.m_surface, nullptr);
        m_cr = std::exchange(other.m_cr, nullptr);
        m_width = other.m_width;
        m_height = other.m_height;
    }
    return *this;
}

Image::~Image() { Release(); }

void Image::Release() {
    if (m_cr) cairo_destroy(m_cr);
    if (m_surface) cairo_surface_destroy(m_surface);
    m_cr = nullptr;
    m_surface = nullptr;
}

bool Image::WritePng(const std::string& path) const {
    cairo_surface_flush(m_surface);
    return cairo_surface_write_to_png(m_surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void SetSource(cairo_t* cr, const Rgb& colour, double alpha) {
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double DegreesToCairoRadians(double degrees) { return (degrees - 90.0) * kPi / 180.0; }

void PolarPoint(double cx, double cy, double radius, double degrees, double* x, double* y) {
    const double radians = DegreesToCairoRadians(degrees);
    *x = cx + radius * std::cos(radians);
    *y = cy + radius * std::sin(radians);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -kPi / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, kPi / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, kPi / 2, kPi);
    cairo_arc(cr, x + radius, y + radius, radius, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void SoftShadow(cairo_t* cr, double cx, double cy, double radius, double alpha) {
    cairo_pattern_t* shadow = cairo_pattern_create_radial(cx, cy, 0.0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(shadow, 0.0, 0, 0, 0, alpha);
    cairo_pattern_add_color_stop_rgba(shadow, 0.65, 0, 0, 0, alpha * 0.8);
    cairo_pattern_add_color_stop_rgba(shadow, 1.0, 0, 0, 0, 0.0);
    cairo_set_source(cr, shadow);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
}

double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style) {
    cairo_save(cr);
    SelectFont(cr, style);
    const double width = TrackedWidth(cr, text, style.tracking);
    cairo_restore(cr);
    return width;
}

void DrawText(cairo_t* cr, const std::string& text, double x, double baseline, Align align,
              const TextStyle& style, const Rgb& colour, double alpha) {
    cairo_save(cr);
    SelectFont(cr, style);
    const double width = TrackedWidth(cr, text, style.tracking);
    double pen = x;
    if (align == Align::kCentre) pen -= width / 2.0;
    if (align == Align::kRight) pen -= width;
    SetSource(cr, colour, alpha);
    for (char letter : text) {
        const char glyph[2] = {letter, '\0'};
        cairo_move_to(cr, pen, baseline);
        cairo_show_text(cr, glyph);
        pen += LetterAdvance(cr, letter) + style.tracking;
    }
    cairo_restore(cr);
}

void DrawEngravedText(cairo_t* cr, const std::string& text, double x, double baseline,
                      Align align, const TextStyle& style, const Rgb& colour) {
    DrawText(cr, text, x, baseline + 1.0, align, style, palette::kShadow, 0.75);
    DrawText(cr, text, x, baseline, align, style, colour);
}

double Noise::Next() {
    // xorshift32: tiny, fast and the same on every platform.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return (m_state >> 8) * (1.0 / 16777216.0);
}

}  // namespace artwork
