// The base of everything on screen: a rectangle in its parent's
// coordinates, an optional background bitmap, visibility, opacity, a
// mouseable area, dirty tracking and the mouse, wheel, key, focus and drag
// handlers, which do nothing here. Views are reference-counted; a container
// holds one reference to each child.
//
// Every entry point runs on the user-interface thread; none may block or
// call into audio processing.
#pragma once

#include "CBaseObject.h"
#include "CRect.h"

namespace VSTGUI {

class CBitmap;
class CDragContainer;
class CDrawContext;
class CFrame;

class CView : public CBaseObject {
public:
    explicit CView(const CRect& size);
    // A copy shares the background bitmap and is not attached to any parent.
    CView(const CView& other);
    ~CView() override;

    // ---- drawing ----
    // Draws the background bitmap over the view rectangle.
    virtual void draw(CDrawContext* context);
    // Draws the part of the view within updateRect (parent coordinates).
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual bool isDirty() const { return m_bDirty; }
    virtual void setDirty(bool dirty = true) { m_bDirty = dirty; }
    // Asks the frame to redraw the view rectangle at its next update.
    virtual void invalid();
    // Asks the frame to redraw rect, given in this view's parent coordinates.
    void invalidRect(const CRect& rect);

    // ---- mouse and keyboard (points in parent coordinates) ----
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    // distance: wheel notches, positive away from the user. True when handled.
    virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
    // kKeyHandled or kKeyNotHandled.
    virtual int32 onKeyDown(VstKeyCode& keyCode);
    virtual int32 onKeyUp(VstKeyCode& keyCode);
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons = CButtonState()) const;

    // ---- focus: the frame routes key events to its focus view ----
    virtual bool wantsFocus() const { return m_bWantsFocus; }
    void setWantsFocus(bool wants) { m_bWantsFocus = wants; }
    virtual void takeFocus() {}
    virtual void looseFocus() {}

    // ---- drag and drop (points in parent coordinates) ----
    virtual bool onDrop(CDragContainer* drag, const CPoint& where);
    virtual void onDragEnter(CDragContainer* drag, const CPoint& where);
    virtual void onDragLeave(CDragContainer* drag, const CPoint& where);
    virtual void onDragMove(CDragContainer* drag, const CPoint& where);

    // ---- geometry ----
    virtual void setViewSize(const CRect& rect, bool invalidate = true);
    const CRect& getViewSize() const { return m_size; }
    CRect& getViewSize(CRect& rect) const { return rect = m_size; }
    virtual void setMouseableArea(const CRect& rect) { m_mouseableArea = rect; }
    const CRect& getMouseableArea() const { return m_mouseableArea; }
    CCoord getWidth() const { return m_size.getWidth(); }
    CCoord getHeight() const { return m_size.getHeight(); }
    // Sizes the view to its content; false when it cannot.
    virtual bool sizeToFit() { return false; }
    // Converts a point from this view's parent coordinates to the frame's
    // parent coordinates (those of the platform view).
    CPoint& localToFrame(CPoint& point) const;

    // ---- attributes ----
    virtual void setBackground(CBitmap* background);
    CBitmap* getBackground() const { return m_pBackground; }
    virtual void setVisible(bool visible);
    bool isVisible() const { return m_bVisible; }
    virtual void setMouseEnabled(bool enabled) { m_bMouseEnabled = enabled; }
    bool getMouseEnabled() const { return m_bMouseEnabled; }
    virtual void setAlphaValue(float alpha);
    float getAlphaValue() const { return m_alphaValue; }

    // ---- place in the view tree ----
    CFrame* getFrame() const { return m_pParentFrame; }
    CView* getParentView() const { return m_pParentView; }
    bool isAttached() const { return m_pParentView != nullptr; }
    // Called by a container when the view joins or leaves it.
    virtual void attached(CView* parent);
    virtual void removed(CView* parent);
    // Containers pass their frame down to their children.
    virtual void setFrame(CFrame* frame) { m_pParentFrame = frame; }

    // ---- identity ----
    virtual bool isTypeOf(const char* name) const;
    virtual CView* newCopy() const { return new CView(*this); }

protected:
    CRect m_size;
    CRect m_mouseableArea;
    CFrame* m_pParentFrame = nullptr;
    CView* m_pParentView = nullptr;
    CBitmap* m_pBackground = nullptr;
    bool m_bDirty = false;
    bool m_bMouseEnabled = true;
    bool m_bVisible = true;
    bool m_bWantsFocus = false;
    float m_alphaValue = 1.0f;
};

}  // namespace VSTGUI
