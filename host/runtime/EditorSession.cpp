#include "EditorSession.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>

#include "AAX_UIDs.h"

namespace {
std::unique_ptr<EditorSession> Refuse(std::string* error, const std::string& message) {
    if (error) *error = message;
    return nullptr;
}

// The editor reports its size in pixels as floats; a window is whole pixels.
int WholePixels(float size) { return size > 0.0f ? int(std::lround(size)) : 0; }

// cairo's PNG writer hands its bytes here, in pieces.
cairo_status_t WriteToDescriptor(void* closure, const unsigned char* data, unsigned int length) {
    const int descriptor = *static_cast<const int*>(closure);
    while (length > 0) {
        const ssize_t written = write(descriptor, data, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return CAIRO_STATUS_WRITE_ERROR;
        data += written;
        length -= static_cast<unsigned int>(written);
    }
    return CAIRO_STATUS_SUCCESS;
}
}  // namespace

std::unique_ptr<EditorSession> EditorSession::Create(IACFUnknown* editorObject, EffectInstance& instance,
                                                     std::string* error) {
    std::unique_ptr<EditorSession> session(new EditorSession(instance, editorObject));
    if (!session->m_EditorObject) return Refuse(error, "the module created no editor");
    session->m_Editor = ACFPtr<AAX_IACFEffectGUI>(IID_IAAXEffectGUIV1, session->m_EditorObject.get());
    if (!session->m_Editor) return Refuse(error, "the editor does not offer the editor interface");

    const AAX_Result initialized = session->m_Editor->Initialize(instance.HostObject());
    session->m_Initialized = true;  // a failed Initialize is still undone
    if (initialized != AAX_SUCCESS)
        return Refuse(error, "the editor failed to initialise (result " + std::to_string(initialized) + ")");
    instance.AttachEditor(session->m_EditorObject.get());
    session->m_Attached = true;
    return session;
}

EditorSession::EditorSession(EffectInstance& instance, IACFUnknown* editorObject) : m_Instance(instance) {
    m_EditorObject.attach(editorObject);
}

EditorSession::~EditorSession() {
    Close();
    if (m_Attached) m_Instance.AttachEditor(nullptr);
    if (m_Initialized) m_Editor->Uninitialize();
    m_Editor.reset();
    m_EditorObject.reset();
}

AAX_Result EditorSession::Open() { return Open(std::unique_ptr<VSTGUI::CLinuxNativeView>(new VSTGUI::CLinuxNativeView)); }

AAX_Result EditorSession::Open(std::unique_ptr<VSTGUI::CLinuxNativeView> nativeView) {
    Close();
    // A host makes its window as large as the editor says it is; the frame
    // resizes the surface itself once it knows its own size.
    const AAX_Point size = ViewSize();
    m_NativeView = std::move(nativeView);
    m_NativeView->setSurfaceSize(WholePixels(size.horz), WholePixels(size.vert));
    m_Container = HostViewContainer::Create(m_NativeView.get(), AAX_eViewContainer_Type_NSView);
    m_Container->SetTakesMouseEvents(m_HostTakesMouse);
    const AAX_Result result = m_Editor->SetViewContainer(m_Container->Identity());
    m_NativeView->update();
    return result;
}

void EditorSession::Close() {
    if (!m_NativeView) return;
    m_Editor->SetViewContainer(nullptr);
    m_Container.reset();
    m_NativeView.reset();
}

void EditorSession::SetHostTakesMouse(bool takes) {
    m_HostTakesMouse = takes;
    if (m_Container) m_Container->SetTakesMouseEvents(takes);
}

AAX_Point EditorSession::ViewSize() const {
    AAX_Point size;
    m_Editor->GetViewSize(&size);
    return size;
}

void EditorSession::AnswerRequests() { m_Instance.AnswerRequests(); }

void EditorSession::Idle() {
    if (!m_NativeView) return;
    AnswerRequests();
    m_NativeView->update();
}

VSTGUI::CMouseEventResult EditorSession::MouseDown(const VSTGUI::CPoint& where, uint32_t buttons,
                                                   uint32_t modifiers) {
    if (!m_NativeView) return VSTGUI::kMouseEventNotHandled;
    const VSTGUI::CMouseEventResult result = m_NativeView->mouseDown(where, buttons, modifiers);
    AnswerRequests();
    return result;
}

VSTGUI::CMouseEventResult EditorSession::MouseMoved(const VSTGUI::CPoint& where, uint32_t buttons,
                                                    uint32_t modifiers) {
    if (!m_NativeView) return VSTGUI::kMouseEventNotHandled;
    const VSTGUI::CMouseEventResult result = m_NativeView->mouseMoved(where, buttons, modifiers);
    AnswerRequests();
    return result;
}

VSTGUI::CMouseEventResult EditorSession::MouseUp(const VSTGUI::CPoint& where, uint32_t buttons,
                                                 uint32_t modifiers) {
    if (!m_NativeView) return VSTGUI::kMouseEventNotHandled;
    const VSTGUI::CMouseEventResult result = m_NativeView->mouseUp(where, buttons, modifiers);
    AnswerRequests();
    return result;
}

bool EditorSession::MouseWheel(const VSTGUI::CPoint& where, float distance, uint32_t modifiers) {
    if (!m_NativeView) return false;
    const bool handled = m_NativeView->mouseWheel(where, distance, modifiers);
    AnswerRequests();
    return handled;
}

bool EditorSession::KeyDown(int32_t character, VSTGUI::VirtualKey virtualKey, uint32_t modifiers) {
    if (!m_NativeView) return false;
    const bool handled = m_NativeView->keyDown(character, virtualKey, modifiers);
    AnswerRequests();
    return handled;
}

bool EditorSession::TypeText(const std::string& text) {
    bool allHandled = true;
    for (unsigned char character : text)
        allHandled = KeyDown(int32_t(character), VSTGUI::VKEY_NONE, 0) && allHandled;
    return allHandled;
}

bool EditorSession::SaveSnapshot(const std::string& pngPath) const {
    return m_NativeView && m_NativeView->saveSnapshot(pngPath);
}

bool EditorSession::WriteSnapshot(int fileDescriptor) const {
    if (!m_NativeView) return false;
    m_NativeView->update();
    cairo_surface_t* surface = m_NativeView->getSurface();
    if (!surface || m_NativeView->getWidth() == 0 || m_NativeView->getHeight() == 0) return false;
    return cairo_surface_write_to_png_stream(surface, WriteToDescriptor, &fileDescriptor) == CAIRO_STATUS_SUCCESS;
}
