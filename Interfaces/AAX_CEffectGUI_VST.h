// AAX_CEffectGUI_VST: the editor base for editors built with the widget
// toolkit. It owns the toolkit frame (one toolkit reference, held in the
// editor interface's `frame`), creates it inside the host's native view when
// the host hands over a view container of the native-view type, reports its
// size, forwards the host's redraw requests to it, and releases it when the
// editor closes, is uninitialised or is destroyed.
//
// Threads: everything runs on the host's user-interface thread.
#pragma once

#include "AAX_CEffectGUI.h"
#include "toolkit/VSTGUIEditorInterface.h"

class AAX_CEffectGUI_VST : public AAX_CEffectGUI, public VSTGUI::VSTGUIEditorInterface {
public:
    AAX_CEffectGUI_VST();
    // Releases a frame the host left open.
    ~AAX_CEffectGUI_VST() override;

    // The open frame's size (vert: height, horz: width); with no frame open,
    // the size the frame had when last open (0 x 0 before the first opening). 0.
    AAX_Result GetViewSize(AAX_Point* viewSize) const override;
    // With a frame and a rectangle: redraws that part of the frame now. 0.
    AAX_Result Draw(AAX_Rect* drawRect) override;
    // Closes an editor still open (its controls refer to what is about to be
    // released), then releases as the base does.
    AAX_Result Uninitialize() override;

protected:
    // Accepts only containers of the native-view type with a native view; then
    // creates the frame (CreateEffectView) and tells the container its size.
    void CreateViewContainer() override;
    // Drops the editor's reference to the frame, which destroys the frame and
    // its views unless someone else still holds it.
    void DeleteViewContainer() override;
    // Creates an empty content frame with the toolkit's grey background.
    // Editors replace it with their own view.
    virtual void CreateEffectView(void* nativeView);

private:
    VSTGUI::CRect m_LastFrameSize;
};
