// The UI binary's entry point and the C functions of its one descriptor,
// each forwarding to the panel (Lv2EditorUI). Every one is called by the
// host's user-interface thread, never by its audio thread, and none while
// another runs; they may wait on the X server briefly, nothing longer.
// Nothing here may throw into the host: the calls that can fail catch
// everything.
#include <cstdio>
#include <cstring>
#include <exception>

#include <lv2/ui/ui.h>

#include "host/lv2/Lv2EditorUI.h"
#include "host/lv2/Lv2Identity.h"

namespace {

Lv2EditorUI* AsPanel(LV2UI_Handle handle) { return static_cast<Lv2EditorUI*>(handle); }

// Null when the panel cannot be made; the reason goes to standard error.
LV2UI_Handle Instantiate(const LV2UI_Descriptor*, const char* pluginURI, const char*, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features) {
    std::string error;
    try {
        Lv2EditorUI::HostSide host;
        host.pluginURI = pluginURI;
        host.write = write;
        host.controller = controller;
        host.features = features;
        if (std::unique_ptr<Lv2EditorUI> panel = Lv2EditorUI::Create(host, &error)) {
            if (widget) *widget = reinterpret_cast<LV2UI_Widget>(panel->Widget());
            return panel.release();
        }
    } catch (const std::exception& exception) {
        error = exception.what();
    } catch (...) {
        error = "unexpected failure";
    }
    std::fprintf(stderr, "%s: panel for %s: %s\n", Lv2Identity::kBundleName, pluginURI ? pluginURI : "(none)",
                 error.c_str());
    return nullptr;
}

void Cleanup(LV2UI_Handle handle) { delete AsPanel(handle); }

void PortEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer) {
    AsPanel(handle)->PortEvent(port, bufferSize, format, buffer);
}

int Idle(LV2UI_Handle handle) { return AsPanel(handle)->Idle(); }
int Show(LV2UI_Handle handle) { return AsPanel(handle)->Show(); }
int Hide(LV2UI_Handle handle) { return AsPanel(handle)->Hide(); }

const LV2UI_Idle_Interface kIdleInterface = {Idle};
const LV2UI_Show_Interface kShowInterface = {Show, Hide};

// Any thread (a host may ask while discovering).
const void* ExtensionData(const char* uri) {
    if (!uri) return nullptr;
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0) return &kIdleInterface;
    if (std::strcmp(uri, LV2_UI__showInterface) == 0) return &kShowInterface;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {Lv2Identity::kUiURI, Instantiate, Cleanup, PortEvent, ExtensionData};

}  // namespace

// Discovery: the one panel, for both plug-ins, at index 0.
LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
