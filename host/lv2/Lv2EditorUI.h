// The effect's own panel as an LV2 user interface (ui:X11UI), in the
// bundle's UI binary. It hosts the editor exactly as the substitute host
// does: the editor object comes from the module's editor factory and is
// driven through the host's editor interface (EditorSession), next to a
// data-model instance of its own, whose algorithm never runs. The panel
// stays in step with the plug-in through its control ports only:
//
//   the panel to the plug-in   a value the editor sets (its requests are
//                              answered as the substitute host answers them)
//                              goes to write_function as the port's float,
//                              in the port's own units; a gesture (a knob
//                              held) is wrapped in ui:touch begin and end
//                              when the host offers ui:touch
//   the plug-in to the panel   port_event (automation, a preset, another
//                              UI) sets the parameter as host automation
//                              does, which moves its knob and display
//
// No instance access, no data access, nothing shared with the audio binary.
//
// The window is a child of ui:parent when the host gives one (embedding);
// otherwise a top-level window that show() maps and hide() closes
// (ui:showInterface, for hosts such as console jalv). Its input and redraws
// are handled in idle() (ui:idleInterface), which the host calls regularly.
//
// Threads: every entry point is called by the host's user-interface thread
// (the one that instantiated the UI), never by its audio thread; none may be
// called while another runs. They may block briefly on the X connection.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

#include "host/lv2/Lv2PortLayout.h"
#include "host/lv2/SharedPluginModule.h"
#include "host/runtime/EditorSession.h"
#include "host/runtime/EffectInstance.h"

namespace VSTGUI {
class CX11NativeView;
}

class Lv2EditorUI {
public:
    // What the host hands the UI at instantiation.
    struct HostSide {
        const char* pluginURI = nullptr;
        LV2UI_Write_Function write = nullptr;
        LV2UI_Controller controller = nullptr;
        const LV2_Feature* const* features = nullptr;
    };

    // Loads the module, makes the data model and the editor and opens the
    // panel in its window (mapped at once when embedded). Null with *error
    // set when the plug-in URI is not one of the bundle's, the module or
    // editor cannot be made, or the X display or parent window cannot be
    // reached.
    static std::unique_ptr<Lv2EditorUI> Create(const HostSide& host, std::string* error);
    // Closes the panel, then releases the editor, the instance and the
    // module reference. X protocol errors the window met are reported on
    // standard error.
    ~Lv2EditorUI();
    Lv2EditorUI(const Lv2EditorUI&) = delete;
    Lv2EditorUI& operator=(const Lv2EditorUI&) = delete;

    // The X window id the host embeds (0 when the panel is closed).
    unsigned long Widget() const;

    // port_event: a control input's new value (format 0, one float);
    // anything else is ignored, and so is a value for a control a person
    // is holding (a knob in a drag).
    void PortEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer);
    // idle(): handles the window's input and redraws; 0 while the panel is
    // open, 1 once it is closed or its window is gone.
    int Idle();
    // show(): opens the panel again if hide() closed it, and maps it.
    int Show();
    // hide(): closes the panel and its window.
    int Hide();

private:
    // A control input port and what the panel last knew of it.
    struct BoundPort {
        const Lv2Ports::ControlInput* input = nullptr;
        std::string parameterID;
        float known = 0.0f;    // the value the plug-in has, as far as the panel knows
        bool touched = false;  // a gesture is open (ui:touch begin sent)
    };

    Lv2EditorUI() = default;
    bool Start(const HostSide& host, std::string* error);
    void ReadFeatures(const LV2_Feature* const* features);
    bool OpenWindow(std::string* error);
    VSTGUI::CX11NativeView* Window() const;
    double NormalizedValue(const BoundPort& port) const;
    // Sends the host what the editor changed since the last call: touch
    // begins, the ports' new values, then touch ends.
    void SendChanges();
    void Touch(uint32_t port, bool grabbed) const;

    HostSide m_Host;
    unsigned long m_Parent = 0;  // ui:parent, 0 for a top-level window
    const LV2UI_Resize* m_Resize = nullptr;
    const LV2UI_Touch* m_Touch = nullptr;
    SharedPluginModule m_Module;  // outlives everything below (declared first)
    std::unique_ptr<EffectInstance> m_Instance;
    std::unique_ptr<EditorSession> m_Editor;
    std::array<BoundPort, Lv2Ports::kControlInputCount> m_Ports;
};
