// VSTGUI_ContentView: the toolkit frame at the root of an editor, placed in
// the host's native view. It keeps the instance's effect-parameters
// interface for the editor's views (not owned).
//
// Threads: user-interface thread only, like every toolkit object.
#pragma once

#include "toolkit/CFrame.h"

class AAX_IEffectParameters;

class VSTGUI_ContentView : public VSTGUI::CFrame {
public:
    // An empty frame (0, 0, 0, 0) inside nativeView, run by editor.
    VSTGUI_ContentView(void* nativeView, AAX_IEffectParameters* parameters,
                       VSTGUI::VSTGUIEditorInterface* editor);
    ~VSTGUI_ContentView() override;

    AAX_IEffectParameters* getParameters() const { return m_pEffectParameters; }

    // False, leaving size untouched, while the frame is hidden or fully
    // transparent; otherwise the frame's answer.
    bool getSize(VSTGUI::CRect* size) const override;
    bool getSize(VSTGUI::CRect& size) const { return getSize(&size); }

    // Drags go straight to the views under the pointer, with the point as given.
    bool onDrop(VSTGUI::CDragContainer* drag, const VSTGUI::CPoint& where) override;
    void onDragEnter(VSTGUI::CDragContainer* drag, const VSTGUI::CPoint& where) override;
    void onDragLeave(VSTGUI::CDragContainer* drag, const VSTGUI::CPoint& where) override;
    void onDragMove(VSTGUI::CDragContainer* drag, const VSTGUI::CPoint& where) override;

private:
    AAX_IEffectParameters* m_pEffectParameters;
};
