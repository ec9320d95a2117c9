#include "CViewContainer.h"

#include <algorithm>
#include <cstring>

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"

namespace VSTGUI {

CViewContainer::CViewContainer(const CRect& size, CFrame* parent, CBitmap* background)
    : CView(size) {
    m_pParentFrame = parent;
    if (background) setBackground(background);
}

CViewContainer::~CViewContainer() { removeAll(true); }

bool CViewContainer::addView(CView* view) {
    if (!view || view->isAttached() || view == this) return false;
    m_children.push_back(view);
    view->attached(this);
    return true;
}

bool CViewContainer::addView(CView* view, const CRect& mouseableArea, bool mouseEnabled) {
    if (!addView(view)) return false;
    view->setMouseableArea(mouseableArea);
    view->setMouseEnabled(mouseEnabled);
    return true;
}

void CViewContainer::forgetChildReferences(const CView* view) {
    if (m_pMouseDownView == view) m_pMouseDownView = nullptr;
    if (m_pDragView == view) m_pDragView = nullptr;
}

bool CViewContainer::removeView(CView* view, bool withForget) {
    auto found = std::find(m_children.begin(), m_children.end(), view);
    if (found == m_children.end()) return false;
    m_children.erase(found);
    forgetChildReferences(view);
    view->removed(this);
    if (withForget) view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget) {
    // Remove from the top down, one at a time, so that a child's teardown
    // never sees a half-emptied list.
    while (!m_children.empty()) removeView(m_children.back(), withForget);
    return true;
}

bool CViewContainer::isChild(const CView* view, bool deep) const {
    for (CView* child : m_children) {
        if (child == view) return true;
        if (deep && child->isTypeOf("CViewContainer") &&
            static_cast<const CViewContainer*>(child)->isChild(view, true))
            return true;
    }
    return false;
}

CView* CViewContainer::getView(int32 index) const {
    if (index < 0 || index >= getNbViews()) return nullptr;
    return m_children[size_t(index)];
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const {
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        CView* child = *it;
        if (!child->isVisible() || !child->getViewSize().pointInside(where)) continue;
        if (deep && child->isTypeOf("CViewContainer")) {
            auto* container = static_cast<CViewContainer*>(child);
            if (CView* inner = container->getViewAt(container->toLocal(where), true)) return inner;
        }
        return child;
    }
    return nullptr;
}

void CViewContainer::setBackgroundColor(const CColor& color) {
    m_backgroundColor = color;
    invalid();
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect) {
    context->setFillColor(m_backgroundColor);
    context->drawRect(rect, kDrawFilled);
    if (m_pBackground) m_pBackground->draw(context, rect, rect.getTopLeft(), m_alphaValue);
}

void CViewContainer::draw(CDrawContext* context) { drawRect(context, m_size); }

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
    CRect area(updateRect);
    area.bound(m_size);
    if (area.isEmpty()) return;
    context->saveGlobalState();
    context->translate(m_size.left, m_size.top);
    CRect localArea(area);
    localArea.offset(-m_size.left, -m_size.top);
    context->clipRect(localArea);
    drawBackgroundRect(context, localArea);
    context->setGlobalAlpha(context->getGlobalAlpha() * m_alphaValue);
    for (CView* child : m_children) {
        if (!child->isVisible() || !child->getViewSize().rectOverlap(localArea)) continue;
        context->saveGlobalState();
        CRect childArea(child->getViewSize());
        childArea.bound(localArea);
        context->clipRect(childArea);
        child->drawRect(context, childArea);
        context->restoreGlobalState();
    }
    context->restoreGlobalState();
    setDirty(false);
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons) {
    const CPoint local = toLocal(where);
    m_pMouseDownView = nullptr;
    // Offer the press from the topmost child down until one takes it.
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        CView* child = *it;
        if (!child->isVisible() || !child->getMouseEnabled() || !child->hitTest(local, buttons))
            continue;
        CPoint childWhere(local);
        const CMouseEventResult result = child->onMouseDown(childWhere, buttons);
        if (result == kMouseEventNotHandled || result == kMouseEventNotImplemented) continue;
        // The child may have been removed by its own handler.
        if (result == kMouseEventHandled && isChild(child)) m_pMouseDownView = child;
        return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons) {
    CView* target = m_pMouseDownView;
    if (!target) return kMouseEventNotHandled;
    CBaseObjectGuard keepAlive(target);
    CPoint childWhere = toLocal(where);
    const CMouseEventResult result = target->onMouseUp(childWhere, buttons);
    m_pMouseDownView = nullptr;
    return result;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    CView* target = m_pMouseDownView;
    if (!target) return kMouseEventNotHandled;
    CBaseObjectGuard keepAlive(target);
    CPoint childWhere = toLocal(where);
    const CMouseEventResult result = target->onMouseMoved(childWhere, buttons);
    if (result != kMouseEventHandled && result != kMouseEventNotImplemented &&
        m_pMouseDownView == target)
        m_pMouseDownView = nullptr;
    return result;
}

bool CViewContainer::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
    const CPoint local = toLocal(where);
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        CView* child = *it;
        if (!child->isVisible() || !child->getMouseEnabled() || !child->hitTest(local, buttons))
            continue;
        if (child->onWheel(local, distance, buttons)) return true;
    }
    return false;
}

bool CViewContainer::hitTest(const CPoint& where, const CButtonState& buttons) const {
    return CView::hitTest(where, buttons);
}

bool CViewContainer::onDrop(CDragContainer* drag, const CPoint& where) {
    const CPoint local = toLocal(where);
    CView* target = getViewAt(local);
    m_pDragView = nullptr;
    return target && target->getMouseEnabled() && target->onDrop(drag, local);
}

void CViewContainer::onDragEnter(CDragContainer* drag, const CPoint& where) {
    const CPoint local = toLocal(where);
    m_pDragView = getViewAt(local);
    if (m_pDragView) m_pDragView->onDragEnter(drag, local);
}

void CViewContainer::onDragLeave(CDragContainer* drag, const CPoint& where) {
    const CPoint local = toLocal(where);
    if (m_pDragView) m_pDragView->onDragLeave(drag, local);
    m_pDragView = nullptr;
}

void CViewContainer::onDragMove(CDragContainer* drag, const CPoint& where) {
    const CPoint local = toLocal(where);
    CView* target = getViewAt(local);
    if (target != m_pDragView) {
        if (m_pDragView) m_pDragView->onDragLeave(drag, local);
        m_pDragView = target;
        if (target) target->onDragEnter(drag, local);
    } else if (target) {
        target->onDragMove(drag, local);
    }
}

void CViewContainer::setFrame(CFrame* frame) {
    CView::setFrame(frame);
    for (CView* child : m_children) child->setFrame(frame);
}

bool CViewContainer::isTypeOf(const char* name) const {
    return (name && std::strcmp(name, "CViewContainer") == 0) || CView::isTypeOf(name);
}

}  // namespace VSTGUI
