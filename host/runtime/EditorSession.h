// The editor of one effect instance, shown as a host shows it. The editor
// object comes from the module's editor factory and is driven only through
// the host's editor interface (IID_IAAXEffectGUIV1): it is initialised with
// the instance's host object (the same one the data model was initialised
// with) and registered with the instance, which tells it of every parameter
// change the host answers. Opening hands it a view container of type 1 whose
// native view is the toolkit's platform view, a pixel surface standing in
// for a window; closing withdraws the container.
//
// Input reaches the editor as a person's gestures on that view; after each
// one the host answers the set-value requests it caused, as a host's main
// loop does before the next event, so knobs and displays follow at once.
//
// One session per instance; it must end before the instance does. Every
// operation runs on the user-interface thread, which in this host is the
// main thread; none may be called from the audio thread.
#pragma once

#include <memory>
#include <string>

#include "AAX_IACFEffectGUI.h"
#include "ACFPtr.h"
#include "host/objects/HostViewContainer.h"
#include "host/runtime/EffectInstance.h"
#include "toolkit/CLinuxNativeView.h"

class EditorSession {
public:
    // Takes over the reference in editorObject (as PluginModule::CreateEditor
    // returns it) in every case. Null with a message in *error when there is
    // no object, it lacks the editor interface, or its Initialize fails. The
    // editor starts closed.
    static std::unique_ptr<EditorSession> Create(IACFUnknown* editorObject, EffectInstance& instance,
                                                 std::string* error);
    // Closes the editor, detaches it from the instance, uninitialises and
    // releases it: nothing of the session is left behind.
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // Opens the editor in a new view container holding a new native view
    // sized to the editor's own size; a session already open is closed first.
    // Returns SetViewContainer's result.
    AAX_Result Open();
    // The same in a native view the host made (a window, for instance),
    // which the session now owns and sizes to the editor.
    AAX_Result Open(std::unique_ptr<VSTGUI::CLinuxNativeView> nativeView);
    // Withdraws the container (the editor drops its frame), then releases
    // the container and destroys the native view. Nothing when closed.
    void Close();
    bool IsOpen() const { return m_NativeView != nullptr; }

    // Whether the host takes the controls' mouse gestures (its view
    // container answers them with success) or declines them (the default),
    // for the open container and every later one.
    void SetHostTakesMouse(bool takes);
    bool HostTakesMouse() const { return m_HostTakesMouse; }

    // The editor's size as it reports it (GetViewSize).
    AAX_Point ViewSize() const;
    // The open editor's native view and view container; null when closed.
    VSTGUI::CLinuxNativeView* NativeView() const { return m_NativeView.get(); }
    HostViewContainer* ViewContainer() const { return m_Container.get(); }
    AAX_IACFEffectGUI& Editor() const { return *m_Editor.get(); }

    // ---- a person's input, in view pixels; each is followed by the host's
    // answer to the requests it caused. Nothing happens while closed. ----
    // buttons and modifiers: VSTGUI::CLinuxNativeView's MouseButton and
    // ModifierKey bits.
    VSTGUI::CMouseEventResult MouseDown(const VSTGUI::CPoint& where, uint32_t buttons, uint32_t modifiers);
    VSTGUI::CMouseEventResult MouseMoved(const VSTGUI::CPoint& where, uint32_t buttons, uint32_t modifiers);
    VSTGUI::CMouseEventResult MouseUp(const VSTGUI::CPoint& where, uint32_t buttons, uint32_t modifiers);
    bool MouseWheel(const VSTGUI::CPoint& where, float distance, uint32_t modifiers);
    // A printable character (virtualKey VKEY_NONE) or a virtual key.
    bool KeyDown(int32_t character, VSTGUI::VirtualKey virtualKey, uint32_t modifiers);
    // One key press per character.
    bool TypeText(const std::string& text);

    // The host's idle time, for a host whose own loop delivers the view's
    // input (a window): answers the requests the input caused and redraws
    // what changed. Nothing while closed.
    void Idle();

    // Writes what the editor shows as a PNG file; false when closed, when
    // the editor has no size or the file cannot be written.
    bool SaveSnapshot(const std::string& pngPath) const;
    // The same PNG written to an open file; the caller keeps and closes it.
    bool WriteSnapshot(int fileDescriptor) const;

private:
    EditorSession(EffectInstance& instance, IACFUnknown* editorObject);
    // The host's answer to the requests an input caused.
    void AnswerRequests();

    EffectInstance& m_Instance;
    ACFPtr<IACFUnknown> m_EditorObject;
    ACFPtr<AAX_IACFEffectGUI> m_Editor;
    bool m_Initialized = false;
    bool m_Attached = false;  // the instance tells the editor of changes
    bool m_HostTakesMouse = false;
    std::unique_ptr<VSTGUI::CLinuxNativeView> m_NativeView;
    ACFPtr<HostViewContainer> m_Container;
};
