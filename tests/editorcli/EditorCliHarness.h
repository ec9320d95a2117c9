// Test helper: the module as bundle or linked, an editor session as the program opens one, pictures.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "AAX_CString.h"
#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "effect/editor/Orvanta_GUI.h"
#include "host/runtime/EditorSession.h"
#include "tests/runtime/RuntimeHarness.h"

namespace editorcli_test {

enum class Form { Linked, Bundle };

inline const char* FormName(Form form) { return form == Form::Linked ? "linked" : "bundle"; }

inline std::unique_ptr<PluginModule> LoadModule(Form form) {
    std::string error;
    std::unique_ptr<PluginModule> module;
    if (form == Form::Bundle) {
        module = PluginModule::LoadBundle(std::string(ORVANTA_BINARY_DIR) + "/" + Orvanta::kBundleName,
                                          &error);
    } else {
        // The test program is no bundle: the linked editor reads the committed artwork.
        Orvanta_GUI::SetFallbackResourceFolder(std::string(ORVANTA_SOURCE_DIR) + "/resources/bitmaps");
        module = PluginModule::LoadLinked(LinkedEntryPoints(), PluginModule::DefaultBundlePath(Orvanta::kBundleName), &error);
    }
    EXPECT_TRUE(module) << error;
    return module;
}

// A stereo instance at 48 kHz, as the program creates one.
inline std::unique_ptr<EffectInstance> NewInstance(const PluginModule& module) {
    return runtime_test::NewInstance(module, 48000.0f, 2);
}

inline std::unique_ptr<EditorSession> NewSession(const PluginModule& module, EffectInstance& instance) {
    std::string error;
    std::unique_ptr<EditorSession> session = EditorSession::Create(module.CreateEditor(), instance, &error);
    EXPECT_TRUE(session) << error;
    return session;
}

// A module, an instance and an open editor.
struct OpenEditor {
    explicit OpenEditor(Form form = Form::Linked)
        : module(LoadModule(form)), instance(NewInstance(*module)), session(NewSession(*module, *instance)) {
        EXPECT_EQ(session->Open(), AAX_SUCCESS);
    }
    ~OpenEditor() {
        session.reset();
        instance.reset();
    }

    double Normalized(const char* id) const {
        double value = -1.0;
        instance->Parameters().GetParameterNormalizedValue(id, &value);
        return value;
    }
    // One short block, which delivers the packet; the packet then.
    SOrvanta_Knob_Packet ProcessAndReadPacket() {
        float silence[2][64] = {};
        float out[2][64];
        float* inputs[] = {silence[0], silence[1]};
        float* outputs[] = {out[0], out[1]};
        instance->ProcessBlock(inputs, outputs, 64);
        return runtime_test::DeliveredPacket(*instance);
    }

    std::unique_ptr<PluginModule> module;
    std::unique_ptr<EffectInstance> instance;
    std::unique_ptr<EditorSession> session;
};

inline VSTGUI::CPoint Centre(const Orvanta::SOrvanta_EditorRect& rect) {
    return VSTGUI::CPoint(rect.left + rect.width / 2.0, rect.top + rect.height / 2.0);
}

// A PNG image: one of the committed artwork's bitmaps, or any file.
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
    static uint32_t Pixel(cairo_surface_t* of, int x, int y) {
        cairo_surface_flush(of);
        return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(of) +
                                                 y * cairo_image_surface_get_stride(of))[x];
    }

    static std::string ArtworkPath(int bitmapID) {
        char name[40];
        std::snprintf(name, sizeof name, "/resources/bitmaps/bmp%05d.png", bitmapID);
        return std::string(ORVANTA_SOURCE_DIR) + name;
    }

    cairo_surface_t* surface;
};

// The colour selector's filmstrip frame that a snapshot shows (every channel
// within 1, left of the colour buttons covering its right part), or -1. The
// expected frames are the panel background with the frame drawn over it.
inline int ShownColourFrame(const Picture& shown) {
    const Orvanta::SOrvanta_EditorRect& rect = Orvanta::kEditorRect_ColorKnob;
    const int width = std::min(rect.width, Orvanta::kEditorRect_ColorButtons[0].left - rect.left);
    const Picture background(Orvanta::kBitmapID_Background), filmstrip(Orvanta::kBitmapID_Dial5Pos);
    cairo_surface_t* expected = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, rect.width, rect.height);
    int found = -1;
    for (int frame = 0; frame < Orvanta::kEditorDialPositions5 && found < 0; ++frame) {
        cairo_t* cr = cairo_create(expected);
        cairo_set_source_surface(cr, background.surface, -rect.left, -rect.top);
        cairo_paint(cr);
        cairo_set_source_surface(cr, filmstrip.surface, 0, -frame * rect.height);
        cairo_paint(cr);
        cairo_destroy(cr);
        int largest = 0;
        for (int y = 0; y < rect.height; ++y)
            for (int x = 0; x < width; ++x) {
                const uint32_t pixel = Picture::Pixel(shown.surface, rect.left + x, rect.top + y),
                               wanted = Picture::Pixel(expected, x, y);
                for (int shift : {0, 8, 16, 24})
                    largest = std::max(largest, std::abs(int((pixel >> shift) & 0xFF) - int((wanted >> shift) & 0xFF)));
            }
        if (largest <= 1) found = frame;
    }
    cairo_surface_destroy(expected);
    return found;
}

}  // namespace editorcli_test
