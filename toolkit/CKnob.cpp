#include "CKnob.h"

#include <cmath>
#include <cstring>

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"

namespace VSTGUI {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
}  // namespace

CKnob::CKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
             CBitmap* handle, const CPoint& offset, int32 drawStyle)
    : CControl(size, listener, tag, background),
      m_startAngle(float(3 * kPi / 4)),
      m_rangeAngle(float(3 * kPi / 2)),
      m_offset(offset),
      m_drawStyle(drawStyle) {
    setHandleBitmap(handle);
    setWantsFocus(true);
}

CKnob::CKnob(const CKnob& other)
    : CControl(other),
      m_startAngle(other.m_startAngle),
      m_rangeAngle(other.m_rangeAngle),
      m_zoomFactor(other.m_zoomFactor),
      m_inset(other.m_inset),
      m_offset(other.m_offset),
      m_drawStyle(other.m_drawStyle),
      m_colorHandle(other.m_colorHandle),
      m_colorShadowHandle(other.m_colorShadowHandle) {
    setHandleBitmap(other.m_pHandle);
}

CKnob::~CKnob() {
    if (m_pHandle) m_pHandle->forget();
}

void CKnob::setHandleBitmap(CBitmap* handle) {
    if (handle == m_pHandle) return;
    if (handle) handle->remember();
    if (m_pHandle) m_pHandle->forget();
    m_pHandle = handle;
    setDirty(true);
}

void CKnob::draw(CDrawContext* context) {
    if (m_pBackground) m_pBackground->draw(context, m_size, m_offset);
    drawHandle(context);
    setDirty(false);
}

void CKnob::drawHandle(CDrawContext* context) {
    CPoint handle;
    valueToPoint(handle);
    handle.offset(m_size.left, m_size.top);
    if (m_pHandle) {
        const CPoint half(m_pHandle->getWidth() / 2, m_pHandle->getHeight() / 2);
        const CRect where(CPoint(handle.x - half.x, handle.y - half.y),
                          CPoint(m_pHandle->getWidth(), m_pHandle->getHeight()));
        m_pHandle->draw(context, where);
        return;
    }
    const CPoint centre = m_size.getCenter();
    if (m_drawStyle & kHandleCircleDrawing) {
        const CCoord radius = 3;
        context->setFillColor(m_colorHandle);
        context->drawEllipse(CRect(handle.x - radius, handle.y - radius, handle.x + radius,
                                   handle.y + radius),
                             kDrawFilled);
        return;
    }
    // A shadow line one pixel down and right, the handle line on top.
    context->setLineWidth(1);
    context->setFrameColor(m_colorShadowHandle);
    context->drawLine(CPoint(centre.x + 1, centre.y + 1), CPoint(handle.x + 1, handle.y + 1));
    context->setFrameColor(m_colorHandle);
    context->drawLine(centre, handle);
}

void CKnob::valueToPoint(CPoint& point) const {
    const float range = m_vmax - m_vmin;
    const double fraction = range != 0 ? (m_value - m_vmin) / range : 0.0;
    const double angle = m_startAngle + fraction * m_rangeAngle;
    const double radius = getWidth() / 2 - m_inset;
    point.x = getWidth() / 2 + std::cos(angle) * radius;
    point.y = getHeight() / 2 + std::sin(angle) * radius;
}

float CKnob::valueFromPoint(CPoint& point) const {
    const double dx = point.x - getWidth() / 2;
    const double dy = point.y - getHeight() / 2;
    if (dx == 0 && dy == 0) return m_value;
    double relative = std::fmod(std::atan2(dy, dx) - m_startAngle, kTwoPi);
    if (relative < 0) relative += kTwoPi;
    double fraction;
    if (relative <= m_rangeAngle) {
        fraction = relative / m_rangeAngle;
    } else {
        const double gapMiddle = m_rangeAngle + (kTwoPi - m_rangeAngle) / 2;
        fraction = relative < gapMiddle ? 1.0 : 0.0;
    }
    return float(m_vmin + fraction * (m_vmax - m_vmin));
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isSet(kLButton)) return kMouseEventNotHandled;
    beginEdit();
    if (checkDefaultValue(buttons)) {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    m_firstPoint = where;
    m_lastPoint = CPoint(-1, -1);
    m_entryValue = m_value;
    m_dragButtons = buttons;
    m_dragMode = getFrame() ? getFrame()->getKnobMode() : kCircularMode;
    const float range = kLinearDragRange * (buttons.isSet(kZoomModifier) ? m_zoomFactor : 1.0f);
    m_valuePerPixel = (m_vmax - m_vmin) / range;
    CPoint local(where.x - m_size.left, where.y - m_size.top);
    m_circularStart = valueFromPoint(local);
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isSet(kLButton) || !isEditing()) return kMouseEventHandled;
    if (where == m_lastPoint) return kMouseEventHandled;
    m_lastPoint = where;
    const float before = m_value;
    if (m_dragMode == kLinearMode) {
        const double diff = (m_firstPoint.y - where.y) + (where.x - m_firstPoint.x);
        if (buttons != m_dragButtons) {
            const float range = kLinearDragRange * (buttons.isSet(kZoomModifier) ? m_zoomFactor : 1.0f);
            const float newPerPixel = (m_vmax - m_vmin) / range;
            m_entryValue = float(m_entryValue + (m_valuePerPixel - newPerPixel) * diff);
            m_valuePerPixel = newPerPixel;
            m_dragButtons = buttons;
        }
        m_value = float(m_entryValue + m_valuePerPixel * diff);
    } else {
        CPoint local(where.x - m_size.left, where.y - m_size.top);
        const float pointed = valueFromPoint(local);
        if (m_dragMode == kRelativCircularMode) {
            m_value = m_entryValue + (pointed - m_circularStart);
        } else {
            // Crossing the dead gap would jump from one end to the other:
            // hold the end the drag came from instead.
            const float half = (m_vmax - m_vmin) * 0.5f;
            if (m_circularStart - pointed > half)
                m_value = m_vmax;
            else if (pointed - m_circularStart > half)
                m_value = m_vmin;
            else
                m_value = m_circularStart = pointed;
        }
    }
    bounceValue();
    if (m_value != before) {
        valueChanged();
        invalid();
    }
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&) {
    if (isEditing()) endEdit();
    return kMouseEventHandled;
}

bool CKnob::stepValue(float distance, bool fine) {
    const float before = m_value;
    const float step = distance * m_wheelInc * (fine ? 0.1f : 1.0f);
    m_value = m_value + step * (m_vmax - m_vmin);
    bounceValue();
    if (m_value != before) {
        invalid();
        beginEdit();
        valueChanged();
        endEdit();
    }
    return true;
}

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
    return stepValue(distance, buttons.isSet(kZoomModifier));
}

int32 CKnob::onKeyDown(VstKeyCode& keyCode) {
    const bool fine = (keyCode.modifier & MODIFIER_COMMAND) != 0;
    switch (keyCode.virt) {
        case VKEY_UP:
        case VKEY_RIGHT:
            stepValue(1.0f, fine);
            return kKeyHandled;
        case VKEY_DOWN:
        case VKEY_LEFT:
            stepValue(-1.0f, fine);
            return kKeyHandled;
        default:
            return kKeyNotHandled;
    }
}

bool CKnob::isTypeOf(const char* name) const {
    return (name && std::strcmp(name, "CKnob") == 0) || CControl::isTypeOf(name);
}

}  // namespace VSTGUI
