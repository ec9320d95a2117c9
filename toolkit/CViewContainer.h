// A view that holds child views, draws them over its background colour and
// bitmap, and routes mouse, wheel and drag events to them. Children's
// rectangles are in the container's own coordinates (its top-left is 0, 0);
// later children lie above earlier ones and receive events first.
//
// Decided behaviours:
// - A press goes to the topmost visible, mouse-enabled child whose mouseable
//   area holds the point; a child that declines it (not handled) passes it
//   on to the child below.
// - A child that answers the press with kMouseEventHandled captures the
//   gesture: every move and the release go to it, wherever the pointer is,
//   until the release. Moves with no press in progress go nowhere.
// - The wheel goes to the topmost child under the pointer that takes it.
//
// User-interface thread only.
#pragma once

#include <vector>

#include "CColor.h"
#include "CView.h"

namespace VSTGUI {

class CViewContainer : public CView {
public:
    CViewContainer(const CRect& size, CFrame* parent = nullptr, CBitmap* background = nullptr);
    ~CViewContainer() override;
    CViewContainer(const CViewContainer&) = delete;

    // Takes over the caller's reference to view. False for null or a view
    // that already has a parent.
    virtual bool addView(CView* view);
    virtual bool addView(CView* view, const CRect& mouseableArea, bool mouseEnabled = true);
    // Detaches view; drops the container's reference when withForget.
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    bool isChild(const CView* view, bool deep = false) const;
    int32 getNbViews() const { return int32(m_children.size()); }
    CView* getView(int32 index) const;
    // The topmost visible child at where (container coordinates); with deep,
    // the innermost view inside nested containers. Null when none.
    CView* getViewAt(const CPoint& where, bool deep = false) const;

    void setBackgroundColor(const CColor& color);
    const CColor& getBackgroundColor() const { return m_backgroundColor; }

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    bool hitTest(const CPoint& where, const CButtonState& buttons = CButtonState()) const override;

    bool onDrop(CDragContainer* drag, const CPoint& where) override;
    void onDragEnter(CDragContainer* drag, const CPoint& where) override;
    void onDragLeave(CDragContainer* drag, const CPoint& where) override;
    void onDragMove(CDragContainer* drag, const CPoint& where) override;

    void setFrame(CFrame* frame) override;
    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return nullptr; }

    // The child that holds the current press, if any.
    CView* getMouseDownView() const { return m_pMouseDownView; }

protected:
    // Draws the background colour and bitmap over rect (container coordinates).
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);
    CPoint toLocal(const CPoint& where) const {
        return CPoint(where.x - m_size.left, where.y - m_size.top);
    }
    void forgetChildReferences(const CView* view);

    std::vector<CView*> m_children;
    CView* m_pMouseDownView = nullptr;
    CView* m_pDragView = nullptr;
    CColor m_backgroundColor = kBlackCColor;
};

}  // namespace VSTGUI
