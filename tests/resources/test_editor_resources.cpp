// The editor's resources as committed: knob filmstrips, the panel and the page table.
#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Orvanta::SOrvanta_EditorRect;

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

std::string ResourcePath(const std::string& name) { return ORVANTA_SOURCE_DIR "/resources/" + name; }

SurfacePtr LoadBitmap(int32_t resourceID) {
    char name[32];
    std::snprintf(name, sizeof name, Orvanta::kBitmapNameFormat, static_cast<int>(resourceID));
    const std::string path = ResourcePath(std::string("bitmaps/") + name + ".png");
    return SurfacePtr(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
}

uint32_t Pixel(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* row = cairo_image_surface_get_data(surface);
    row += y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const uint32_t*>(row)[x];  // premultiplied ARGB, alpha on top
}

uint32_t Alpha(uint32_t pixel) { return pixel >> 24; }

TEST(EditorBitmaps, KnobFramesHaveSeeThroughCorners) {
    for (int32_t id : {Orvanta::kBitmapID_Dial, Orvanta::kBitmapID_Dial3Pos, Orvanta::kBitmapID_Dial5Pos}) {
        SurfacePtr strip = LoadBitmap(id);
        ASSERT_EQ(cairo_surface_status(strip.get()), CAIRO_STATUS_SUCCESS);
        const int frames = cairo_image_surface_get_height(strip.get()) / 60;
        for (int frame = 0; frame < frames; ++frame) {
            const int top = frame * 60;
            for (auto [x, y] : {std::pair{0, top}, {59, top}, {0, top + 59}, {59, top + 59}})
                EXPECT_EQ(Alpha(Pixel(strip.get(), x, y)), 0u) << id << " frame " << frame;
            EXPECT_EQ(Alpha(Pixel(strip.get(), 30, top + 30)), 255u) << id << " frame " << frame;
        }
    }
}

TEST(EditorBitmaps, PanelHoldsEveryControlAndLeavesTheDisplaysPlainBlack) {
    SurfacePtr panel = LoadBitmap(Orvanta::kBitmapID_Background);
    ASSERT_EQ(cairo_surface_status(panel.get()), CAIRO_STATUS_SUCCESS);
    const int width = cairo_image_surface_get_width(panel.get());
    const int height = cairo_image_surface_get_height(panel.get());
    using namespace Orvanta;
    const SOrvanta_EditorRect displays[] = {kEditorRect_HarmonicDisplay, kEditorRect_DynamicDisplay,
                                            kEditorRect_OutputTrimDisplay, kEditorRect_DitherDisplay,
                                            kEditorRect_ColorDisplay};
    std::vector<SOrvanta_EditorRect> controls = {kEditorRect_HarmonicKnob,   kEditorRect_DynamicKnob,
                                                 kEditorRect_OutputTrimKnob, kEditorRect_DitherKnob,
                                                 kEditorRect_ColorKnob,      kEditorRect_DitherOffButton,
                                                 kEditorRect_DitherOnButton};
    controls.insert(controls.end(), std::begin(kEditorRect_ColorButtons), std::end(kEditorRect_ColorButtons));
    controls.insert(controls.end(), std::begin(displays), std::end(displays));
    for (const auto& r : controls) {
        const bool inside = r.left >= 1 && r.top >= 1 && r.right() < width && r.bottom() < height;
        EXPECT_TRUE(inside) << r.left << ',' << r.top;
    }
    for (int y = 0; y < height; y += 7)
        for (int x = 0; x < width; x += 7) ASSERT_EQ(Alpha(Pixel(panel.get(), x, y)), 255u);
    for (const auto& d : displays)
        for (int y = d.top; y < d.bottom(); ++y)
            for (int x = d.left; x < d.right(); ++x)
                ASSERT_EQ(Pixel(panel.get(), x, y), 0xFF000000u) << x << ',' << y;
}

// Text between each `open` ... `close` pair of `text`, in order.
std::vector<std::string> Between(const std::string& text, const std::string& open, const std::string& close) {
    std::vector<std::string> found;
    for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
        const size_t body = text.find('>', at) + 1;
        const size_t stop = text.find(close, body);
        if (body == 0 || stop == std::string::npos) break;
        found.push_back(text.substr(body, stop - body));
        at = stop + close.size();
    }
    return found;
}

TEST(PageTable, EveryTableNamesExactlyTheFiveEditorParameters) {
    std::ifstream file(ResourcePath(Orvanta::kPageTableFile));
    ASSERT_TRUE(file.good());
    std::stringstream text;
    text << file.rdbuf();
    const std::multiset<std::string> expected = {Orvanta::kParamID_Harmonic, Orvanta::kParamID_Dynamic,
                                                  Orvanta::kParamID_OutputTrim, Orvanta::kParamID_Dither,
                                                  Orvanta::kParamID_Color};
    const std::vector<std::string> tables = Between(text.str(), "<PageTable ", "</PageTable>");
    EXPECT_FALSE(tables.empty());
    for (size_t t = 0; t < tables.size(); ++t) {
        const std::vector<std::string> ids = Between(tables[t], "<ID>", "</ID>");
        EXPECT_EQ(std::multiset<std::string>(ids.begin(), ids.end()), expected) << "table " << t;
    }
}

}  // namespace
