#include "CFrame.h"

#include <cstring>

#include "CDrawContext.h"
#include "CLinuxNativeView.h"
#include "VSTGUIEditorInterface.h"

namespace VSTGUI {

CFrame::CFrame(const CRect& size, void* systemWindow, VSTGUIEditorInterface* editor)
    : CViewContainer(size),
      m_pEditor(editor),
      m_pPlatformView(static_cast<CLinuxNativeView*>(systemWindow)) {
    m_pParentFrame = this;
    if (m_pPlatformView) m_pPlatformView->attachFrame(this);
    invalid();
}

CFrame::~CFrame() {
    // Derived parts (the editor's panel, the listener of every control) are
    // already gone: drop the focus without letting the focus view react, so
    // an unfinished text edit is discarded rather than reported.
    m_pFocusView = nullptr;
    removeAll(true);
    if (m_pPlatformView) m_pPlatformView->detachFrame(this);
}

int32 CFrame::getKnobMode() const { return m_pEditor ? m_pEditor->getKnobMode() : kCircularMode; }

bool CFrame::setPosition(CCoord x, CCoord y) {
    CRect newSize(m_size);
    newSize.moveTo(x, y);
    if (newSize == m_size) return true;
    if (m_pEditor && !m_pEditor->beforeSizeChange(newSize, m_size)) return false;
    m_size = m_mouseableArea = newSize;
    resizePlatformView();
    return true;
}

bool CFrame::getPosition(CCoord& x, CCoord& y) const {
    x = m_size.left;
    y = m_size.top;
    return true;
}

bool CFrame::setSize(CCoord width, CCoord height) {
    CRect newSize(m_size);
    newSize.setWidth(width).setHeight(height);
    if (newSize == m_size) return true;
    if (m_pEditor && !m_pEditor->beforeSizeChange(newSize, m_size)) return false;
    m_size = m_mouseableArea = newSize;
    resizePlatformView();
    return true;
}

bool CFrame::getSize(CRect* size) const {
    if (size) *size = m_size;
    return true;
}

void CFrame::resizePlatformView() {
    if (m_pPlatformView)
        m_pPlatformView->setSurfaceSize(int(m_size.right > 0 ? m_size.right : 0),
                                        int(m_size.bottom > 0 ? m_size.bottom : 0));
    // A new surface starts blank: everything must be drawn again.
    m_invalidRegion = CRect();
    invalid();
}

void CFrame::setFocusView(CView* view) {
    if (view == m_pFocusView) return;
    CView* previous = m_pFocusView;
    m_pFocusView = view;
    if (previous) previous->looseFocus();
    // The previous view's reaction may already have moved the focus again.
    if (view && m_pFocusView == view) view->takeFocus();
}

void CFrame::onViewRemoved(CView* view) {
    if (!m_pFocusView) return;
    const bool focusInside =
        m_pFocusView == view ||
        (view->isTypeOf("CViewContainer") &&
         static_cast<const CViewContainer*>(view)->isChild(m_pFocusView, true));
    if (focusInside) m_pFocusView = nullptr;
}

void CFrame::invalidateRegion(const CRect& rect) {
    CRect visible(rect);
    visible.bound(m_size);
    m_invalidRegion.unite(visible);
}

bool CFrame::updateInvalidRegion() {
    if (m_invalidRegion.isEmpty() || !m_pPlatformView) return false;
    const CRect region = m_invalidRegion;
    m_invalidRegion = CRect();
    drawRect(nullptr, region);
    return true;
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect) {
    if (context) {
        CViewContainer::drawRect(context, updateRect);
        return;
    }
    if (!m_pPlatformView || !m_pPlatformView->getSurface()) return;
    {
        CDrawContext platformContext(m_pPlatformView->getSurface());
        CViewContainer::drawRect(&platformContext, updateRect);
    }
    cairo_surface_flush(m_pPlatformView->getSurface());
    m_pPlatformView->regionDrawn(updateRect);
}

void CFrame::idle() {
    CBaseObjectGuard keepAlive(this);
    if (m_pEditor) m_pEditor->doIdleStuff();
    updateInvalidRegion();
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons) {
    CBaseObjectGuard keepAlive(this);
    CView* hit = getViewAt(toLocal(where), true);
    CView* focus = (hit && hit->getMouseEnabled() && hit->wantsFocus()) ? hit : nullptr;
    setFocusView(focus);
    return CViewContainer::onMouseDown(where, buttons);
}

int32 CFrame::onKeyDown(VstKeyCode& keyCode) {
    CBaseObjectGuard keepAlive(this);
    return m_pFocusView ? m_pFocusView->onKeyDown(keyCode) : kKeyNotHandled;
}

int32 CFrame::onKeyUp(VstKeyCode& keyCode) {
    CBaseObjectGuard keepAlive(this);
    return m_pFocusView ? m_pFocusView->onKeyUp(keyCode) : kKeyNotHandled;
}

bool CFrame::isTypeOf(const char* name) const {
    return (name && std::strcmp(name, "CFrame") == 0) || CViewContainer::isTypeOf(name);
}

}  // namespace VSTGUI
