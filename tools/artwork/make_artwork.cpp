// orvanta_make_artwork: paints the editor's eleven bitmaps and writes them as
// "bmp<id>.png" into a folder; optionally also a preview of the assembled
// editor (panel with knobs, buttons and value displays) for checking by eye.
//
//   orvanta_make_artwork <output-folder> [--preview <file.png>]

#include "button_art.h"
#include "dial_geometry.h"
#include "drawing.h"
#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "knob_art.h"
#include "panel_art.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using artwork::Image;
using Orvanta::SOrvanta_EditorRect;

struct Artwork {
    int32_t resourceID;
    Image image;
};

std::vector<Artwork> PaintAll() {
    std::vector<Artwork> all;
    all.push_back({Orvanta::kBitmapID_Dial, artwork::PaintDialStrip(artwork::kDialFrames)});
    all.push_back({Orvanta::kBitmapID_Background, artwork::PaintPanel()});
    all.push_back({Orvanta::kBitmapID_Dial3Pos,
                   artwork::PaintSwitchStrip(artwork::DitherSwitchAngles())});
    all.push_back({Orvanta::kBitmapID_Dial5Pos,
                   artwork::PaintSwitchStrip(artwork::ColorSwitchAngles())});
    const int32_t colorButtonIDs[Orvanta::kColorMax] = {
        Orvanta::kBitmapID_SilverButton, Orvanta::kBitmapID_GoldButton,
        Orvanta::kBitmapID_RichButton, Orvanta::kBitmapID_FatButton,
        Orvanta::kBitmapID_DeepButton};
    for (int type = 0; type < Orvanta::kColorMax; ++type) {
        const SOrvanta_EditorRect& rect = Orvanta::kEditorRect_ColorButtons[type];
        all.push_back({colorButtonIDs[type],
                       artwork::PaintColorTypeButton(rect.width, rect.height,
                                                     Orvanta::ValueName(*Orvanta::FindParameter(Orvanta::kParamID_Color), type + 1),
                                                     artwork::palette::kColorTypeTints[type])});
    }
    const auto& off = Orvanta::kEditorRect_DitherOffButton;
    const auto& on = Orvanta::kEditorRect_DitherOnButton;
    all.push_back({Orvanta::kBitmapID_DitherOffButton,
                   artwork::PaintDitherOffButton(off.width, off.height)});
    all.push_back({Orvanta::kBitmapID_DitherOnButton,
                   artwork::PaintDitherOnButton(on.width, on.height)});
    return all;
}

std::string ResourceFileName(int32_t resourceID) {
    char name[32];
    std::snprintf(name, sizeof name, Orvanta::kBitmapNameFormat, static_cast<int>(resourceID));
    return std::string(name) + ".png";
}

const Image& Find(const std::vector<Artwork>& all, int32_t resourceID) {
    for (const Artwork& art : all) {
        if (art.resourceID == resourceID) return art.image;
    }
    std::fprintf(stderr, "internal error: bitmap %d was not painted\n", resourceID);
    std::abort();
}

// Draws frame `frame` (of height `frameHeight`) of `strip` with its top left at (x, y).
void DrawFrame(cairo_t* cr, const Image& strip, int frameHeight, int frame, double x, double y) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, strip.width(), frameHeight);
    cairo_clip(cr);
    cairo_set_source_surface(cr, strip.surface(), x, y - frame * frameHeight);
    cairo_paint(cr);
    cairo_restore(cr);
}

// The frame a filmstrip control shows for a normalized value.
int FrameForValue(const Image& strip, int frameHeight, double value) {
    const int frames = strip.height() / frameHeight;
    return static_cast<int>(std::floor(value * (frames - 1)));
}

void DrawKnob(cairo_t* cr, const Image& strip, const SOrvanta_EditorRect& rect, double value) {
    DrawFrame(cr, strip, rect.height, FrameForValue(strip, rect.height, value), rect.left,
              rect.top);
}

void DrawDisplay(cairo_t* cr, const SOrvanta_EditorRect& rect, const char* text) {
    cairo_rectangle(cr, rect.left, rect.top, rect.width, rect.height);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_fill(cr);
    const artwork::TextStyle style = {11.0, false, false, false, 0.0};
    artwork::DrawText(cr, text, rect.left + rect.width / 2.0, rect.top + 14.0,
                      artwork::Align::kCentre, style, artwork::palette::kHighlight);
}

// The editor as the toolkit would assemble it, with sample values.
Image AssembleEditor(const std::vector<Artwork>& all) {
    const Image& panel = Find(all, Orvanta::kBitmapID_Background);
    Image editor(panel.width(), panel.height());
    cairo_t* cr = editor.cr();
    cairo_set_source_surface(cr, panel.surface(), 0, 0);
    cairo_paint(cr);
    const Image& dial = Find(all, Orvanta::kBitmapID_Dial);
    DrawKnob(cr, dial, Orvanta::kEditorRect_HarmonicKnob, 0.35);
    DrawKnob(cr, dial, Orvanta::kEditorRect_DynamicKnob, 0.62);
    DrawKnob(cr, dial, Orvanta::kEditorRect_OutputTrimKnob, 0.5);
    DrawKnob(cr, Find(all, Orvanta::kBitmapID_Dial3Pos), Orvanta::kEditorRect_DitherKnob, 1.0);
    DrawKnob(cr, Find(all, Orvanta::kBitmapID_Dial5Pos), Orvanta::kEditorRect_ColorKnob, 0.25);
    const int32_t buttonIDs[] = {Orvanta::kBitmapID_SilverButton, Orvanta::kBitmapID_GoldButton,
                                 Orvanta::kBitmapID_RichButton, Orvanta::kBitmapID_FatButton,
                                 Orvanta::kBitmapID_DeepButton};
    for (int type = 0; type < Orvanta::kColorMax; ++type) {
        const auto& rect = Orvanta::kEditorRect_ColorButtons[type];
        DrawFrame(cr, Find(all, buttonIDs[type]), rect.height, 0, rect.left, rect.top);
    }
    const auto& off = Orvanta::kEditorRect_DitherOffButton;
    const auto& on = Orvanta::kEditorRect_DitherOnButton;
    DrawFrame(cr, Find(all, Orvanta::kBitmapID_DitherOffButton), off.height, 0, off.left, off.top);
    DrawFrame(cr, Find(all, Orvanta::kBitmapID_DitherOnButton), on.height, 0, on.left, on.top);
    DrawDisplay(cr, Orvanta::kEditorRect_HarmonicDisplay, "35.00");
    DrawDisplay(cr, Orvanta::kEditorRect_DynamicDisplay, "62.00");
    DrawDisplay(cr, Orvanta::kEditorRect_OutputTrimDisplay, "0.00");
    DrawDisplay(cr, Orvanta::kEditorRect_DitherDisplay, "On");
    DrawDisplay(cr, Orvanta::kEditorRect_ColorDisplay, "Gold");
    return editor;
}

// Preview: the assembled editor, then every switch frame, a few dial frames
// and both images of every button on grey, all enlarged twice.
Image PaintPreview(const std::vector<Artwork>& all) {
    constexpr double kZoom = 2.0;
    const Image editor = AssembleEditor(all);
    const int knob = Orvanta::kEditorKnobSize;
    const int sheetWidth = 640;
    const int sheetHeight = 2 * knob + 20;
    Image preview(static_cast<int>(std::max(editor.width(), sheetWidth) * kZoom),
                  static_cast<int>((editor.height() + sheetHeight) * kZoom));
    cairo_t* cr = preview.cr();
    cairo_scale(cr, kZoom, kZoom);
    cairo_set_source_rgb(cr, 0.36, 0.36, 0.37);
    cairo_paint(cr);
    cairo_set_source_surface(cr, editor.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);

    double x = 4, y = editor.height() + 6;
    const Image& dial = Find(all, Orvanta::kBitmapID_Dial);
    for (double value : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        DrawFrame(cr, dial, knob, FrameForValue(dial, knob, value), x, y);
        x += knob + 2;
    }
    const Image& dial3 = Find(all, Orvanta::kBitmapID_Dial3Pos);
    for (int frame = 0; frame < dial3.height() / knob; ++frame, x += knob + 2) {
        DrawFrame(cr, dial3, knob, frame, x, y);
    }
    x = 4;
    y += knob + 4;
    const Image& dial5 = Find(all, Orvanta::kBitmapID_Dial5Pos);
    for (int frame = 0; frame < dial5.height() / knob; ++frame, x += knob + 2) {
        DrawFrame(cr, dial5, knob, frame, x, y);
    }
    for (const Artwork& art : all) {
        if (art.resourceID < Orvanta::kBitmapID_SilverButton) continue;
        cairo_set_source_surface(cr, art.image.surface(), x, y);
        cairo_paint(cr);
        x += art.image.width() + 4;
    }
    return preview;
}

int Usage() {
    std::fprintf(stderr, "usage: orvanta_make_artwork <output-folder> [--preview <file.png>]\n");
    return 2;
}

int Run(int argc, char** argv) {
    std::string folder, previewPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc) {
            previewPath = argv[++i];
        } else if (argv[i][0] != '-' && folder.empty()) {
            folder = argv[i];
        } else {
            return Usage();
        }
    }
    if (folder.empty()) return Usage();

    const std::vector<Artwork> all = PaintAll();
    for (const Artwork& art : all) {
        const std::string path = folder + "/" + ResourceFileName(art.resourceID);
        if (!art.image.WritePng(path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (!previewPath.empty() && !PaintPreview(all).WritePng(previewPath)) {
        std::fprintf(stderr, "cannot write %s\n", previewPath.c_str());
        return 1;
    }
    std::printf("wrote %zu bitmaps to %s\n", all.size(), folder.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int status = Run(argc, argv);
    // Every image is gone by now; let cairo drop its font caches too, so that
    // leak checkers see a clean exit.
    cairo_debug_reset_static_data();
    return status;
}
