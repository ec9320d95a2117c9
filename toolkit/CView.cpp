#include "CView.h"

#include <cstring>

#include "CBitmap.h"
#include "CFrame.h"

namespace VSTGUI {

CView::CView(const CRect& size) : m_size(size), m_mouseableArea(size) {}

CView::CView(const CView& other)
    : CBaseObject(other),
      m_size(other.m_size),
      m_mouseableArea(other.m_mouseableArea),
      m_pBackground(other.m_pBackground),
      m_bDirty(other.m_bDirty),
      m_bMouseEnabled(other.m_bMouseEnabled),
      m_bVisible(other.m_bVisible),
      m_bWantsFocus(other.m_bWantsFocus),
      m_alphaValue(other.m_alphaValue) {
    if (m_pBackground) m_pBackground->remember();
}

CView::~CView() {
    if (m_pBackground) m_pBackground->forget();
}

void CView::draw(CDrawContext* context) {
    if (m_pBackground) m_pBackground->draw(context, m_size, CPoint(0, 0), m_alphaValue);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect& /*updateRect*/) { draw(context); }

void CView::invalid() { invalidRect(m_size); }

void CView::invalidRect(const CRect& rect) {
    if (!m_pParentFrame) return;
    CRect platformRect(rect);
    for (const CView* parent = m_pParentView; parent; parent = parent->m_pParentView)
        platformRect.offset(parent->m_size.left, parent->m_size.top);
    m_pParentFrame->invalidateRegion(platformRect);
}

CPoint& CView::localToFrame(CPoint& point) const {
    for (const CView* parent = m_pParentView; parent; parent = parent->m_pParentView)
        point.offset(parent->m_size.left, parent->m_size.top);
    return point;
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
bool CView::onWheel(const CPoint&, const float&, const CButtonState&) { return false; }
int32 CView::onKeyDown(VstKeyCode&) { return kKeyNotHandled; }
int32 CView::onKeyUp(VstKeyCode&) { return kKeyNotHandled; }

bool CView::hitTest(const CPoint& where, const CButtonState&) const {
    return m_mouseableArea.pointInside(where);
}

bool CView::onDrop(CDragContainer*, const CPoint&) { return false; }
void CView::onDragEnter(CDragContainer*, const CPoint&) {}
void CView::onDragLeave(CDragContainer*, const CPoint&) {}
void CView::onDragMove(CDragContainer*, const CPoint&) {}

void CView::setViewSize(const CRect& rect, bool invalidate) {
    if (invalidate) invalidRect(m_size);
    m_size = rect;
    if (invalidate) invalid();
}

void CView::setBackground(CBitmap* background) {
    if (background == m_pBackground) return;
    if (background) background->remember();
    if (m_pBackground) m_pBackground->forget();
    m_pBackground = background;
    setDirty(true);
}

void CView::setVisible(bool visible) {
    if (visible == m_bVisible) return;
    m_bVisible = visible;
    // Either way the area must be repainted: the view itself or what lies under it.
    invalidRect(m_size);
}

void CView::setAlphaValue(float alpha) {
    if (alpha == m_alphaValue) return;
    m_alphaValue = alpha;
    invalidRect(m_size);
}

void CView::attached(CView* parent) {
    m_pParentView = parent;
    setFrame(parent ? parent->getFrame() : nullptr);
    invalid();
}

void CView::removed(CView* parent) {
    if (m_pParentView != parent) return;
    invalidRect(m_size);
    if (m_pParentFrame) m_pParentFrame->onViewRemoved(this);
    m_pParentView = nullptr;
    setFrame(nullptr);
}

bool CView::isTypeOf(const char* name) const { return name && std::strcmp(name, "CView") == 0; }

}  // namespace VSTGUI
