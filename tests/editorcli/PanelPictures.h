// Test helper: what the panel should show, composed here from the committed
// artwork with cairo, and the comparison of that with what an editor (or a
// snapshot of it) shows.
#pragma once

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "effect/Orvanta_Defs.h"
#include "host/runtime/EditorSession.h"

namespace editorcli_test {

// A PNG image: one of the artwork's bitmaps, or any file.
struct Picture {
    explicit Picture(int bitmapID) : Picture(ArtworkPath(bitmapID)) {}
    explicit Picture(const std::string& path) : surface(cairo_image_surface_create_from_png(path.c_str())) {}
    ~Picture() { cairo_surface_destroy(surface); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool Loaded() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
    int Width() const { return cairo_image_surface_get_width(surface); }
    int Height() const { return cairo_image_surface_get_height(surface); }
    // The pixel at (x, y) as 0xAARRGGBB (premultiplied; the panel is opaque).
    uint32_t Pixel(int x, int y) const {
        cairo_surface_flush(surface);
        return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface) +
                                                 y * cairo_image_surface_get_stride(surface))[x];
    }

    static std::string ArtworkPath(int bitmapID) {
        char name[40];
        std::snprintf(name, sizeof name, "/resources/bitmaps/bmp%05d.png", bitmapID);
        return std::string(ORVANTA_SOURCE_DIR) + name;
    }

    cairo_surface_t* surface;
};

using PixelSource = std::function<uint32_t(int x, int y)>;

inline PixelSource ViewPixels(const EditorSession& session) {
    return [&session](int x, int y) { return session.NativeView()->getPixel(x, y); };
}
inline PixelSource PicturePixels(const Picture& picture) {
    return [&picture](int x, int y) { return picture.Pixel(x, y); };
}

// The panel background under a knob with one filmstrip frame over it: the
// pixels of the knob's rectangle, row by row.
inline std::vector<uint32_t> ExpectedKnob(const Orvanta::SOrvanta_EditorRect& rect, int filmstripID, int frame) {
    const Picture background(Orvanta::kBitmapID_Background), filmstrip(filmstripID);
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, rect.width, rect.height);
    cairo_t* cr = cairo_create(target);
    cairo_set_source_surface(cr, background.surface, -rect.left, -rect.top);
    cairo_paint(cr);
    cairo_set_source_surface(cr, filmstrip.surface, 0, -frame * rect.height);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(target);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < rect.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(target) +
                                                            y * cairo_image_surface_get_stride(target));
        pixels.insert(pixels.end(), row, row + rect.width);
    }
    cairo_surface_destroy(target);
    return pixels;
}

// The colour selector's filmstrip frame that the shown pixels match (every
// channel within 1, left of the colour buttons that cover the selector's
// right part), or -1 when none does. The frames differ far more than that.
inline int ShownColourFrame(const PixelSource& shown) {
    const Orvanta::SOrvanta_EditorRect& rect = Orvanta::kEditorRect_ColorKnob;
    const int limitX = Orvanta::kEditorRect_ColorButtons[0].left;
    for (int frame = 0; frame < Orvanta::kEditorDialPositions5; ++frame) {
        const std::vector<uint32_t> expected = ExpectedKnob(rect, Orvanta::kBitmapID_Dial5Pos, frame);
        int largest = 0;
        for (int y = 0; y < rect.height; ++y)
            for (int x = 0; x < rect.width && rect.left + x < limitX; ++x) {
                const uint32_t pixel = shown(rect.left + x, rect.top + y), wanted = expected[size_t(y * rect.width + x)];
                for (int shift : {0, 8, 16, 24})
                    largest = std::max(largest, std::abs(int((pixel >> shift) & 0xFF) - int((wanted >> shift) & 0xFF)));
            }
        if (largest <= 1) return frame;
    }
    return -1;
}

}  // namespace editorcli_test
