#include "CKickButton.h"

#include <cstring>

#include "CBitmap.h"

namespace VSTGUI {

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32 tag,
                         CBitmap* background, const CPoint& offset)
    : CKickButton(size, listener, tag, size.getHeight(), background, offset) {}

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32 tag,
                         CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), m_offset(offset), m_heightOfOneImage(heightOfOneImage) {
    m_value = m_vmin;
}

void CKickButton::draw(CDrawContext* context) {
    CPoint source(m_offset);
    if (m_value == m_vmax) source.y += m_heightOfOneImage;
    if (m_pBackground) m_pBackground->draw(context, m_size, source);
    setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isSet(kLButton)) return kMouseEventNotHandled;
    m_bPressing = true;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!m_bPressing) return kMouseEventHandled;
    if (buttons.isSet(kLButton)) {
        m_value = m_size.pointInside(where) ? m_vmax : m_vmin;
        if (isDirty()) invalid();
    }
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&) {
    if (!m_bPressing) return kMouseEventHandled;
    m_bPressing = false;
    if (m_value != m_vmin) valueChanged();
    m_value = m_vmin;
    valueChanged();
    if (isDirty()) invalid();
    endEdit();
    return kMouseEventHandled;
}

bool CKickButton::sizeToFit() {
    if (!m_pBackground) return false;
    CRect fitted(m_size);
    fitted.setWidth(m_pBackground->getWidth()).setHeight(m_heightOfOneImage);
    setViewSize(fitted, true);
    setMouseableArea(fitted);
    return true;
}

bool CKickButton::isTypeOf(const char* name) const {
    return (name && std::strcmp(name, "CKickButton") == 0) || CControl::isTypeOf(name);
}

}  // namespace VSTGUI
