// The member definitions of COrvanta_FilmstripKnob, included once by each
// knob's source file, which instantiates its variant.
#pragma once

#include <cmath>
#include <cstring>

#include "COrvanta_FilmstripKnob.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CControlListener.h"
#include "toolkit/CFrame.h"

namespace COrvanta_FilmstripKnobDetail {
inline VSTGUI::int32 FramesIn(const VSTGUI::CBitmap* strip, double frameHeight) {
    if (!strip || frameHeight <= 0) return 0;
    return VSTGUI::int32(strip->getHeight() / frameHeight);
}
}  // namespace COrvanta_FilmstripKnobDetail

template <class Variant>
COrvanta_FilmstripKnob<Variant>::COrvanta_FilmstripKnob(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener,
                                                        VSTGUI::int32 tag, VSTGUI::CBitmap* background,
                                                        const VSTGUI::CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset, 0) {
    // One frame per control height, as many frames as the filmstrip holds.
    m_heightOfOneImage = getViewSize().getHeight();
    m_subPixmaps = COrvanta_FilmstripKnobDetail::FramesIn(m_pBackground, m_heightOfOneImage);
    invalid();
    setInsetValue(0);
}

template <class Variant>
COrvanta_FilmstripKnob<Variant>::COrvanta_FilmstripKnob(const COrvanta_FilmstripKnob& other)
    : CKnob(other), IMultiBitmapControl() {
    m_heightOfOneImage = other.m_heightOfOneImage;
    m_subPixmaps = other.m_subPixmaps;
}

template <class Variant>
bool COrvanta_FilmstripKnob<Variant>::isTypeOf(const char* name) const {
    const char* own = Variant::kClassName;
    return (own && name && std::strcmp(name, own) == 0) || CKnob::isTypeOf(name);
}

template <class Variant>
VSTGUI::CView* COrvanta_FilmstripKnob<Variant>::newCopy() const {
    if (!Variant::kClassName) return CKnob::newCopy();
    return new COrvanta_FilmstripKnob(*this);
}

template <class Variant>
void COrvanta_FilmstripKnob<Variant>::draw(VSTGUI::CDrawContext* context) {
    if (VSTGUI::CBitmap* strip = getBackground()) {
        VSTGUI::CPoint source(0, 0);
        const double frameHeight = m_heightOfOneImage;
        if (m_value >= 0.0f && frameHeight > 0.0) {
            const double span = frameHeight * (m_subPixmaps - 1);
            source.y = std::floor(m_value * span);
            source.y -= int32_t(source.y) % int32_t(frameHeight);
        }
        strip->draw(context, getViewSize(), source, 1.0f);
    }
    setDirty(false);
}

template <class Variant>
void COrvanta_FilmstripKnob<Variant>::setBackground(VSTGUI::CBitmap* background) {
    VSTGUI::CView::setBackground(background);
    if (m_heightOfOneImage == 0) m_heightOfOneImage = getViewSize().getHeight();
    if (background && m_heightOfOneImage != 0)
        setNumSubPixmaps(COrvanta_FilmstripKnobDetail::FramesIn(background, m_heightOfOneImage));
}

template <class Variant>
void COrvanta_FilmstripKnob<Variant>::setHeightOfOneImage(const VSTGUI::CCoord& height) {
    m_heightOfOneImage = height;
    if (getBackground() && height != 0)
        setNumSubPixmaps(COrvanta_FilmstripKnobDetail::FramesIn(getBackground(), height));
}

template <class Variant>
void COrvanta_FilmstripKnob<Variant>::setNumSubPixmaps(VSTGUI::int32 frames) {
    m_subPixmaps = frames;
    invalid();
}

template <class Variant>
bool COrvanta_FilmstripKnob<Variant>::sizeToFit() {
    VSTGUI::CBitmap* strip = getBackground();
    if (!strip) return false;
    VSTGUI::CRect fitted(getViewSize());
    fitted.right = fitted.left + strip->getWidth();
    fitted.bottom = fitted.top + m_heightOfOneImage;
    setViewSize(fitted, true);
    setMouseableArea(fitted);
    return true;
}

template <class Variant>
uint32_t COrvanta_FilmstripKnob<Variant>::HostModifiers(const VSTGUI::CButtonState& buttons) {
    uint32_t modifiers = AAX_eModifiers_None;
    if (buttons.isSet(VSTGUI::kShift)) modifiers |= AAX_eModifiers_Shift;
    if (buttons.isSet(VSTGUI::kControlKey)) modifiers |= AAX_eModifiers_Control;
    if (buttons.isSet(VSTGUI::kOption)) modifiers |= AAX_eModifiers_Option;
    if (buttons.isSet(VSTGUI::kCommand)) modifiers |= AAX_eModifiers_Command;
    if (buttons.isSet(VSTGUI::kRButton)) modifiers |= AAX_eModifiers_SecondaryButton;
    return modifiers;
}

template <class Variant>
bool COrvanta_FilmstripKnob<Variant>::HostTakes(AAX_Result (AAX_IViewContainer::*handler)(AAX_CParamID, uint32_t),
                                                const VSTGUI::CButtonState& buttons) const {
    if (!m_pViewContainer || !m_pParamID) return false;
    return (m_pViewContainer->*handler)(m_pParamID, HostModifiers(buttons)) == AAX_SUCCESS;
}

template <class Variant>
VSTGUI::CMouseEventResult COrvanta_FilmstripKnob<Variant>::onMouseDown(VSTGUI::CPoint& where,
                                                                       const VSTGUI::CButtonState& buttons) {
    beginEdit();
    if (!HostTakes(&AAX_IViewContainer::HandleParameterMouseDown, buttons)) {
        if (checkDefaultValue(buttons)) {
            endEdit();
            return VSTGUI::kMouseDownEventHandledButDontNeedMovedOrUpEvents;
        }
        StartGesture(where, buttons);
    }
    return onMouseMoved(where, buttons);
}

template <class Variant>
void COrvanta_FilmstripKnob<Variant>::StartGesture(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) {
    m_ptPress = where;
    m_ptPrevious = VSTGUI::CPoint(-1, -1);
    m_fCircularStart = m_value;
    m_bLinearDrag = false;
    m_fLinearBase = m_value;
    m_fDragRange = kBaseDragRange;
    m_fValuePerPixel = (m_vmax - m_vmin) / m_fDragRange;
    m_DragButtons = buttons;

    const bool option = buttons.isSet(VSTGUI::kOption);
    const bool linearMode = getFrame() && getFrame()->getKnobMode() == VSTGUI::kLinearMode;
    const bool linearWanted = linearMode ? !option : option;
    if (linearWanted && buttons.isSet(VSTGUI::kLButton)) {
        if (buttons.isSet(VSTGUI::kCommand)) m_fDragRange *= getZoomFactor();
        m_ptPrevious = where;
        m_bLinearDrag = true;
        m_fValuePerPixel = (m_vmax - m_vmin) / m_fDragRange;
    } else {
        VSTGUI::CPoint local(where);
        local.offset(-getViewSize().left, -getViewSize().top);
        m_fCircularStart = valueFromPoint(local);
    }
}

template <class Variant>
VSTGUI::CMouseEventResult COrvanta_FilmstripKnob<Variant>::onMouseMoved(VSTGUI::CPoint& where,
                                                                        const VSTGUI::CButtonState& buttons) {
    if (HostTakes(&AAX_IViewContainer::HandleParameterMouseDrag, buttons)) return VSTGUI::kMouseEventHandled;
    if (!buttons.isSet(VSTGUI::kLButton)) return VSTGUI::kMouseEventHandled;
    if (where == m_ptPrevious) return VSTGUI::kMouseEventHandled;
    m_ptPrevious = where;
    if (m_bLinearDrag)
        MoveLinear(where, buttons);
    else
        MoveCircular(where);
    if (m_value != getOldValue() && getListener()) getListener()->valueChanged(this);
    if (isDirty()) invalid();
    return VSTGUI::kMouseEventHandled;
}

template <class Variant>
void COrvanta_FilmstripKnob<Variant>::MoveLinear(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) {
    // Up and right both raise the value.
    const double diff = (m_ptPress.y - where.y) + (where.x - m_ptPress.x);
    if (buttons != m_DragButtons) {
        // Keys changed mid-drag: keep the value where it is and change only
        // the rate of further travel.
        m_fDragRange = kBaseDragRange;
        if (buttons.isSet(VSTGUI::kCommand)) m_fDragRange *= getZoomFactor();
        const float newPerPixel = (m_vmax - m_vmin) / m_fDragRange;
        m_fLinearBase = float(m_fLinearBase + (m_fValuePerPixel - newPerPixel) * diff);
        m_fValuePerPixel = newPerPixel;
        m_DragButtons = buttons;
    }
    m_value = float(double(m_fLinearBase) + double(m_fValuePerPixel) * diff);
    bounceValue();
}

template <class Variant>
void COrvanta_FilmstripKnob<Variant>::MoveCircular(VSTGUI::CPoint& where) {
    const float half = (m_vmax - m_vmin) * 0.5f;
    where.offset(-getViewSize().left, -getViewSize().top);
    m_value = valueFromPoint(where);
    // Crossing the gap at the bottom of the sweep pins the end the drag came
    // from instead of jumping to the other end.
    if (m_fCircularStart - m_value > half)
        m_value = m_vmax;
    else if (m_value - m_fCircularStart > half)
        m_value = m_vmin;
    else
        m_fCircularStart = m_value;
}

template <class Variant>
VSTGUI::CMouseEventResult COrvanta_FilmstripKnob<Variant>::onMouseUp(VSTGUI::CPoint&,
                                                                     const VSTGUI::CButtonState& buttons) {
    endEdit();
    HostTakes(&AAX_IViewContainer::HandleParameterMouseUp, buttons);
    return VSTGUI::kMouseEventHandled;
}
