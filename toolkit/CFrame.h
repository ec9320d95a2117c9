// The root of a view tree, placed in a platform view (CLinuxNativeView on
// this system). It owns the dirty region, draws into the platform view's
// pixel surface, tracks the keyboard focus, asks its editor for the knob
// mode, and receives the platform's events: points arrive in the platform
// view's coordinates, in which the frame's rectangle is given.
//
// Every entry point runs on the user-interface thread; none blocks.
#pragma once

#include "CViewContainer.h"

namespace VSTGUI {

class CLinuxNativeView;
class VSTGUIEditorInterface;

class CFrame : public CViewContainer {
public:
    // systemWindow is the platform view to draw into (a CLinuxNativeView*),
    // or null for a frame that is never shown.
    CFrame(const CRect& size, void* systemWindow, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    void* getSystemWindow() const { return m_pPlatformView; }
    CLinuxNativeView* getPlatformView() const { return m_pPlatformView; }
    // The platform view is going away before the frame; stop drawing into it.
    void platformViewDestroyed() { m_pPlatformView = nullptr; }
    VSTGUIEditorInterface* getEditor() const { return m_pEditor; }
    // The editor's knob mode, circular without an editor.
    int32 getKnobMode() const;

    // ---- placement and size (the platform view follows) ----
    bool setPosition(CCoord x, CCoord y);
    bool getPosition(CCoord& x, CCoord& y) const;
    bool setSize(CCoord width, CCoord height);
    // The frame's rectangle in the platform view; always true here.
    virtual bool getSize(CRect* size) const;
    bool getSize(CRect& size) const { return getSize(&size); }

    // ---- focus ----
    // Moves the keyboard focus: the old view loses it, the new one takes it.
    void setFocusView(CView* view);
    CView* getFocusView() const { return m_pFocusView; }
    // A view left the tree: drop every reference the frame keeps to it.
    void onViewRemoved(CView* view);

    // ---- redrawing ----
    // Adds rect (platform-view coordinates) to the region to redraw.
    void invalidateRegion(const CRect& rect);
    const CRect& getInvalidRegion() const { return m_invalidRegion; }
    // Redraws the pending region into the platform view; true if it drew.
    bool updateInvalidRegion();
    // Redraws updateRect now. With a null context, draws into the platform view.
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    // Gives the editor idle time and redraws what is pending.
    void idle();

    // ---- events from the platform view ----
    // A press first moves the focus to the view under it (or clears it when
    // that view takes no focus), then goes to the views.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    // Key events go to the focus view.
    int32 onKeyDown(VstKeyCode& keyCode) override;
    int32 onKeyUp(VstKeyCode& keyCode) override;

    bool isTypeOf(const char* name) const override;

private:
    void resizePlatformView();

    VSTGUIEditorInterface* m_pEditor;
    CLinuxNativeView* m_pPlatformView;
    CView* m_pFocusView = nullptr;
    CRect m_invalidRegion;
};

}  // namespace VSTGUI
