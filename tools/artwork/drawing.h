// Shared drawing vocabulary of the artwork generator: owned cairo images, the
// palette, polar geometry, tracked and engraved text, and a reproducible noise
// source, so that the panel, knob and button painters look like one product.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

namespace artwork {

struct Rgb {
    double r, g, b;
};

// The product's palette: a dark graphite panel with warm amber accents.
namespace palette {
constexpr Rgb kPanelTop     = {0.205, 0.212, 0.225};
constexpr Rgb kPanelBottom  = {0.118, 0.122, 0.132};
constexpr Rgb kLegend       = {0.80, 0.80, 0.78};   // control names
constexpr Rgb kLegendDim    = {0.56, 0.57, 0.57};   // scale numbers, small marks
constexpr Rgb kAmber        = {0.96, 0.66, 0.24};   // pointers, accents
constexpr Rgb kShadow       = {0.0, 0.0, 0.0};
constexpr Rgb kHighlight    = {1.0, 1.0, 1.0};
// One tint per colour type, in colour-type order (Silver .. Deep).
constexpr Rgb kColorTypeTints[5] = {
    {0.80, 0.84, 0.89}, {0.91, 0.73, 0.33}, {0.86, 0.36, 0.42},
    {0.85, 0.53, 0.31}, {0.47, 0.55, 0.92}};
}  // namespace palette

// An ARGB image with its drawing context; both are released together.
class Image {
public:
    Image(int width, int height);
    Image(Image&&) noexcept;
    Image& operator=(Image&&) noexcept;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    ~Image();

    cairo_t* cr() const { return m_cr; }
    cairo_surface_t* surface() const { return m_surface; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // Writes the image as PNG; false when the file cannot be written.
    bool WritePng(const std::string& path) const;

private:
    void Release();
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cr = nullptr;
    int m_width = 0;
    int m_height = 0;
};

void SetSource(cairo_t* cr, const Rgb& colour, double alpha = 1.0);
Rgb Mix(const Rgb& a, const Rgb& b, double t);

// Angles are in degrees, clockwise from straight up, as a dial is read.
double DegreesToCairoRadians(double degrees);
void PolarPoint(double cx, double cy, double radius, double degrees, double* x, double* y);

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);

// A soft round shadow, darkest in the middle and fading out at `radius`.
void SoftShadow(cairo_t* cr, double cx, double cy, double radius, double alpha);

enum class Align { kLeft, kCentre, kRight };

struct TextStyle {
    double size = 8.0;
    bool bold = true;
    bool italic = false;
    bool serif = false;
    double tracking = 0.0;  // extra pixels after every letter but the last
};

// Width of `text` in `style`, tracking included.
double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style);
// Draws `text` with its baseline at y, aligned on x.
void DrawText(cairo_t* cr, const std::string& text, double x, double baseline, Align align,
              const TextStyle& style, const Rgb& colour, double alpha = 1.0);
// Text printed into the panel: a dark shadow below the light legend.
void DrawEngravedText(cairo_t* cr, const std::string& text, double x, double baseline,
                      Align align, const TextStyle& style, const Rgb& colour);

// Reproducible noise for textures: the artwork must be identical on every run.
class Noise {
public:
    explicit Noise(uint32_t seed) : m_state(seed ? seed : 1u) {}
    double Next();  // uniform in [0, 1)
private:
    uint32_t m_state;
};

}  // namespace artwork
