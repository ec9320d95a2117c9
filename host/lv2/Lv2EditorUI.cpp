#include "host/lv2/Lv2EditorUI.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "AAX_CString.h"
#include "host/lv2/Lv2Identity.h"
#include "host/runtime/FailWithMessage.h"
#include "toolkit/CX11NativeView.h"

namespace {

// The data model's instance needs a rate the effect runs at to be made; its
// algorithm never runs, so any of them serves.
constexpr float kModelSampleRate = 48000.0f;
constexpr int32_t kModelBlockSize = 64;
constexpr const char* kWindowTitle = "Orvanta";

// The bundle's plug-ins by URI: 1 or 2 channels, 0 for another URI.
int32_t ChannelsOfPlugin(const char* uri) {
    if (!uri) return 0;
    if (std::strcmp(uri, Lv2Identity::kMonoURI) == 0) return 1;
    if (std::strcmp(uri, Lv2Identity::kStereoURI) == 0) return 2;
    return 0;
}

}  // namespace

std::unique_ptr<Lv2EditorUI> Lv2EditorUI::Create(const HostSide& host, std::string* error) {
    std::unique_ptr<Lv2EditorUI> ui(new Lv2EditorUI);
    if (!ui->Start(host, error)) return nullptr;
    return ui;
}

Lv2EditorUI::~Lv2EditorUI() {
    m_Editor.reset();
    for (const std::string& message : VSTGUI::CX11NativeView::takeErrors())
        std::fprintf(stderr, "%s: X error: %s\n", Lv2Identity::kBundleName, message.c_str());
    m_Instance.reset();
    m_Module.Reset();
}

bool Lv2EditorUI::Start(const HostSide& host, std::string* error) {
    m_Host = host;
    const int32_t channels = ChannelsOfPlugin(host.pluginURI);
    if (channels == 0) return Fail(error, "the panel belongs to no plug-in of this bundle");
    if (!host.write) return Fail(error, "the host gave no write function");
    ReadFeatures(host.features);

    std::string moduleError;
    m_Module = SharedPluginModule::Acquire(&moduleError);
    if (!m_Module) return Fail(error, "cannot load the effect: " + moduleError);
    m_Instance = m_Module.CreateInstance(channels, kModelSampleRate, kModelBlockSize, error);
    if (!m_Instance) return false;
    m_Instance->Automation().KeepEventLog(false);
    m_Editor = EditorSession::Create(m_Module->CreateEditor(), *m_Instance, error);
    if (!m_Editor) return false;

    AAX_CString bypassID;
    m_Instance->Parameters().GetMasterBypassParameter(&bypassID);
    for (size_t i = 0; i < m_Ports.size(); ++i) {
        BoundPort& port = m_Ports[i];
        port.input = &Lv2Ports::ControlInputs()[i];
        port.parameterID = port.input->parameterID ? port.input->parameterID : bypassID.Get();
        port.known = Lv2Ports::ToPortValue(*port.input, NormalizedValue(port));
    }
    if (!OpenWindow(error)) return false;
    // An embedded panel shows at once; a window of its own waits for show().
    if (m_Parent) Window()->show();
    return true;
}

void Lv2EditorUI::ReadFeatures(const LV2_Feature* const* features) {
    for (const LV2_Feature* const* feature = features; feature && *feature; ++feature) {
        const char* uri = (*feature)->URI;
        if (std::strcmp(uri, LV2_UI__parent) == 0)
            m_Parent = reinterpret_cast<unsigned long>((*feature)->data);
        else if (std::strcmp(uri, LV2_UI__resize) == 0)
            m_Resize = static_cast<const LV2UI_Resize*>((*feature)->data);
        else if (std::strcmp(uri, LV2_UI__touch) == 0)
            m_Touch = static_cast<const LV2UI_Touch*>((*feature)->data);
    }
}

bool Lv2EditorUI::OpenWindow(std::string* error) {
    const AAX_Point size = m_Editor->ViewSize();
    VSTGUI::CX11NativeView::Placement placement;
    placement.parent = m_Parent;
    placement.width = int(std::lround(size.horz));
    placement.height = int(std::lround(size.vert));
    placement.title = kWindowTitle;
    VSTGUI::CX11NativeView::Failure failure;
    std::unique_ptr<VSTGUI::CX11NativeView> window = VSTGUI::CX11NativeView::create(placement, &failure);
    if (!window) return Fail(error, failure.message);
    if (m_Editor->Open(std::move(window)) != AAX_SUCCESS) {
        m_Editor->Close();
        return Fail(error, "the editor did not open in its window");
    }
    // The host sizes its container to the panel (an embedding host offers
    // ui:resize; the panel has one size). The editor knows its size once
    // its view is open.
    const AAX_Point opened = m_Editor->ViewSize();
    if (m_Resize && m_Resize->ui_resize)
        m_Resize->ui_resize(m_Resize->handle, int(std::lround(opened.horz)), int(std::lround(opened.vert)));
    return true;
}

VSTGUI::CX11NativeView* Lv2EditorUI::Window() const {
    return static_cast<VSTGUI::CX11NativeView*>(m_Editor ? m_Editor->NativeView() : nullptr);
}

unsigned long Lv2EditorUI::Widget() const { return Window() ? Window()->getWindow() : 0; }

double Lv2EditorUI::NormalizedValue(const BoundPort& port) const {
    double normalized = 0.0;
    m_Instance->Parameters().GetParameterNormalizedValue(port.parameterID.c_str(), &normalized);
    return normalized;
}

void Lv2EditorUI::PortEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer) {
    if (port >= m_Ports.size() || format != 0 || bufferSize != sizeof(float) || !buffer) return;
    BoundPort& bound = m_Ports[port];
    // While a person holds the control, the gesture wins: the host's value
    // (often the panel's own, coming back) would pull the knob away.
    if (m_Instance->IsTouched(bound.parameterID.c_str())) return;
    float value;
    std::memcpy(&value, buffer, sizeof value);
    double normalized = 0.0;
    if (!Lv2Ports::ToNormalizedValue(*bound.input, value, &normalized)) return;
    // As host automation: the data model takes the value and the editor is
    // told, which moves the knob and rewrites the display.
    m_Instance->ApplyAutomation(bound.parameterID.c_str(), normalized);
    // What the plug-in now holds; the panel does not send it back.
    bound.known = Lv2Ports::ToPortValue(*bound.input, NormalizedValue(bound));
}

int Lv2EditorUI::Idle() {
    VSTGUI::CX11NativeView* window = Window();
    if (!window) return 1;
    // Each input is answered, and its changes sent, before the next, so
    // that a gesture's touch, values and release reach the host in order.
    while (!window->closeRequested() && window->handleNextEvent()) {
        m_Editor->Idle();
        SendChanges();
    }
    m_Editor->Idle();
    SendChanges();
    return window->closeRequested() ? 1 : 0;
}

int Lv2EditorUI::Show() {
    std::string error;
    if (!Window() && !OpenWindow(&error)) {
        std::fprintf(stderr, "%s: cannot show the panel: %s\n", Lv2Identity::kBundleName, error.c_str());
        return 1;
    }
    Window()->show();
    return 0;
}

int Lv2EditorUI::Hide() {
    m_Editor->Close();
    return 0;
}

void Lv2EditorUI::SendChanges() {
    for (uint32_t port = 0; port < m_Ports.size(); ++port) {
        BoundPort& bound = m_Ports[port];
        const bool touched = m_Instance->IsTouched(bound.parameterID.c_str());
        if (touched && !bound.touched) Touch(port, true);
        const float value = Lv2Ports::ToPortValue(*bound.input, NormalizedValue(bound));
        if (value != bound.known) {
            bound.known = value;
            m_Host.write(m_Host.controller, port, sizeof value, 0, &value);
        }
    }
    for (uint32_t port = 0; port < m_Ports.size(); ++port) {
        BoundPort& bound = m_Ports[port];
        const bool touched = m_Instance->IsTouched(bound.parameterID.c_str());
        if (!touched && bound.touched) Touch(port, false);
        bound.touched = touched;
    }
}

void Lv2EditorUI::Touch(uint32_t port, bool grabbed) const {
    if (m_Touch && m_Touch->touch) m_Touch->touch(m_Touch->handle, port, grabbed);
}
