// Helpers for toolkit tests: scratch folders, generated pictures and a recording listener.
#pragma once

#include <cairo.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "toolkit/vstgui.h"

namespace toolkit_test {

// A fresh temporary folder, removed with everything in it at destruction.
class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/orvanta-toolkit-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~ScratchFolder() { (void)!std::system(("rm -rf '" + m_path + "'").c_str()); }
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Writes a PNG of one opaque colour (0xRRGGBB).
inline void writePNG(const std::string& path, int width, int height, uint32_t c) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
}

inline void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Records listener calls as "begin:TAG", "value:TAG=VALUE", "end:TAG".
class RecordingListener : public VSTGUI::CControlListener {
public:
    void valueChanged(VSTGUI::CControl* control) override {
        char text[64];
        std::snprintf(text, sizeof(text), "value:%d=%g", control->getTag(), double(control->getValue()));
        events.push_back(text);
    }
    void controlBeginEdit(VSTGUI::CControl* control) override {
        events.push_back("begin:" + std::to_string(control->getTag()));
    }
    void controlEndEdit(VSTGUI::CControl* control) override {
        events.push_back("end:" + std::to_string(control->getTag()));
    }
    std::vector<std::string> events;
};

// An editor interface with a chosen knob mode.
class TestEditor : public VSTGUI::VSTGUIEditorInterface {
public:
    explicit TestEditor(VSTGUI::int32 knobMode = VSTGUI::kCircularMode) : m_knobMode(knobMode) {}
    VSTGUI::int32 getKnobMode() const override { return m_knobMode; }

private:
    VSTGUI::int32 m_knobMode;
};

}  // namespace toolkit_test
