// What the editor's three filmstrip knobs (COrvanta_VST_AnimKnob,
// COrvanta_VST_AnimKnob_Switch, COrvanta_VST_AnimKnob_Switch_Fine) do alike:
// construction of the filmstrip geometry, drawing the frame of the value,
// and the mouse gesture that is offered to the host's view container before
// the knob handles it. The classes share fields of the same names and differ
// only in their base drag range (Knob::kBaseDragRange) and their type tests;
// each is a friend of this helper and forwards its overrides here.
//
// User-interface thread only: called from the toolkit's event and drawing
// dispatch; nothing here locks or allocates.
#pragma once

#include <cmath>
#include <cstdint>

#include "AAX_IViewContainer.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CControlListener.h"
#include "toolkit/CFrame.h"

struct COrvanta_VST_AnimKnobBehaviour {
    // The host's modifier word for a toolkit button state: each key keeps
    // its meaning (Shift 1, Control 2, Option 4, Command 8, right button 16).
    static uint32_t HostModifiers(const VSTGUI::CButtonState& buttons) {
        uint32_t modifiers = AAX_eModifiers_None;
        if (buttons.isSet(VSTGUI::kShift)) modifiers |= AAX_eModifiers_Shift;
        if (buttons.isSet(VSTGUI::kControlKey)) modifiers |= AAX_eModifiers_Control;
        if (buttons.isSet(VSTGUI::kOption)) modifiers |= AAX_eModifiers_Option;
        if (buttons.isSet(VSTGUI::kCommand)) modifiers |= AAX_eModifiers_Command;
        if (buttons.isSet(VSTGUI::kRButton)) modifiers |= AAX_eModifiers_SecondaryButton;
        return modifiers;
    }

    // The rest of construction, after the toolkit knob: one frame per
    // control height, as many frames as the filmstrip holds, no inset.
    template <class Knob>
    static void Construct(Knob& knob) {
        knob.m_heightOfOneImage = knob.getViewSize().getHeight();
        knob.m_subPixmaps = FramesIn(knob.m_pBackground, knob.m_heightOfOneImage);
        knob.invalid();
        knob.setInsetValue(0);
    }

    // A copy keeps the frame geometry and starts with no gesture, unbound.
    template <class Knob>
    static void CopyGeometry(Knob& knob, const Knob& other) {
        knob.m_heightOfOneImage = other.m_heightOfOneImage;
        knob.m_subPixmaps = other.m_subPixmaps;
    }

    // Draws frame floor(value x (frames - 1)) of the filmstrip.
    template <class Knob>
    static void Draw(Knob& knob, VSTGUI::CDrawContext* context) {
        VSTGUI::CBitmap* strip = knob.getBackground();
        if (strip) {
            VSTGUI::CPoint source(0, 0);
            const double frameHeight = knob.m_heightOfOneImage;
            if (knob.m_value >= 0.0f && frameHeight > 0.0) {
                const double span = frameHeight * (knob.m_subPixmaps - 1);
                source.y = std::floor(knob.m_value * span);
                source.y -= int32_t(source.y) % int32_t(frameHeight);
            }
            strip->draw(context, knob.getViewSize(), source, 1.0f);
        }
        knob.setDirty(false);
    }

    template <class Knob>
    static void SetBackground(Knob& knob, VSTGUI::CBitmap* background) {
        knob.VSTGUI::CView::setBackground(background);
        if (knob.m_heightOfOneImage == 0) knob.m_heightOfOneImage = knob.getViewSize().getHeight();
        if (background && knob.m_heightOfOneImage != 0)
            knob.setNumSubPixmaps(FramesIn(background, knob.m_heightOfOneImage));
    }

    template <class Knob>
    static void SetHeightOfOneImage(Knob& knob, const VSTGUI::CCoord& height) {
        knob.m_heightOfOneImage = height;
        if (knob.getBackground() && height != 0)
            knob.setNumSubPixmaps(FramesIn(knob.getBackground(), height));
    }

    template <class Knob>
    static void SetNumSubPixmaps(Knob& knob, VSTGUI::int32 frames) {
        knob.m_subPixmaps = frames;
        knob.invalid();
    }

    template <class Knob>
    static bool SizeToFit(Knob& knob) {
        VSTGUI::CBitmap* strip = knob.getBackground();
        if (!strip) return false;
        VSTGUI::CRect fitted(knob.getViewSize());
        fitted.right = fitted.left + strip->getWidth();
        fitted.bottom = fitted.top + knob.m_heightOfOneImage;
        knob.setViewSize(fitted, true);
        knob.setMouseableArea(fitted);
        return true;
    }

    // A press: offered to the host first; otherwise a reset to the default
    // value (left button with Option), or the start of a linear drag (the
    // editor's knob mode, or Option in other modes; Command for the fine
    // range) or of a circular one.
    template <class Knob>
    static VSTGUI::CMouseEventResult MouseDown(Knob& knob, VSTGUI::CPoint& where,
                                               const VSTGUI::CButtonState& buttons) {
        knob.beginEdit();
        if (!HostTakes(knob, &AAX_IViewContainer::HandleParameterMouseDown, buttons)) {
            if (knob.checkDefaultValue(buttons)) {
                knob.endEdit();
                return VSTGUI::kMouseDownEventHandledButDontNeedMovedOrUpEvents;
            }
            knob.m_ptPress = where;
            knob.m_ptPrevious = VSTGUI::CPoint(-1, -1);
            knob.m_fCircularStart = knob.m_value;
            knob.m_bLinearDrag = false;
            knob.m_fLinearBase = knob.m_value;
            knob.m_fDragRange = Knob::kBaseDragRange;
            knob.m_fValuePerPixel = (knob.m_vmax - knob.m_vmin) / knob.m_fDragRange;
            knob.m_DragButtons = buttons;

            const bool option = buttons.isSet(VSTGUI::kOption);
            const bool linearMode = knob.getFrame() && knob.getFrame()->getKnobMode() == VSTGUI::kLinearMode;
            const bool linearWanted = linearMode ? !option : option;
            if (linearWanted && buttons.isSet(VSTGUI::kLButton)) {
                if (buttons.isSet(VSTGUI::kCommand)) knob.m_fDragRange *= knob.getZoomFactor();
                knob.m_ptPrevious = where;
                knob.m_bLinearDrag = true;
                knob.m_fValuePerPixel = (knob.m_vmax - knob.m_vmin) / knob.m_fDragRange;
            } else {
                VSTGUI::CPoint local(where);
                local.offset(-knob.getViewSize().left, -knob.getViewSize().top);
                knob.m_fCircularStart = knob.valueFromPoint(local);
            }
        }
        return knob.onMouseMoved(where, buttons);
    }

    // A move: offered to the host first; then the linear or circular drag.
    template <class Knob>
    static VSTGUI::CMouseEventResult MouseMoved(Knob& knob, VSTGUI::CPoint& where,
                                                const VSTGUI::CButtonState& buttons) {
        if (HostTakes(knob, &AAX_IViewContainer::HandleParameterMouseDrag, buttons))
            return VSTGUI::kMouseEventHandled;
        if (!buttons.isSet(VSTGUI::kLButton)) return VSTGUI::kMouseEventHandled;
        if (where == knob.m_ptPrevious) return VSTGUI::kMouseEventHandled;
        knob.m_ptPrevious = where;

        if (knob.m_bLinearDrag) {
            // Up and right both raise the value.
            const double diff = (knob.m_ptPress.y - where.y) + (where.x - knob.m_ptPress.x);
            if (buttons != knob.m_DragButtons) {
                // Keys changed mid-drag: keep the value where it is and change
                // only the rate of further travel.
                knob.m_fDragRange = Knob::kBaseDragRange;
                if (buttons.isSet(VSTGUI::kCommand)) knob.m_fDragRange *= knob.getZoomFactor();
                const float newPerPixel = (knob.m_vmax - knob.m_vmin) / knob.m_fDragRange;
                knob.m_fLinearBase = float(knob.m_fLinearBase + (knob.m_fValuePerPixel - newPerPixel) * diff);
                knob.m_fValuePerPixel = newPerPixel;
                knob.m_DragButtons = buttons;
            }
            knob.m_value = float(double(knob.m_fLinearBase) + double(knob.m_fValuePerPixel) * diff);
            knob.bounceValue();
        } else {
            const float half = (knob.m_vmax - knob.m_vmin) * 0.5f;
            where.offset(-knob.getViewSize().left, -knob.getViewSize().top);
            knob.m_value = knob.valueFromPoint(where);
            // Crossing the gap at the bottom of the sweep pins the end the
            // drag came from instead of jumping to the other end.
            if (knob.m_fCircularStart - knob.m_value > half)
                knob.m_value = knob.m_vmax;
            else if (knob.m_value - knob.m_fCircularStart > half)
                knob.m_value = knob.m_vmin;
            else
                knob.m_fCircularStart = knob.m_value;
        }
        if (knob.m_value != knob.getOldValue() && knob.getListener()) knob.getListener()->valueChanged(&knob);
        if (knob.isDirty()) knob.invalid();
        return VSTGUI::kMouseEventHandled;
    }

    // A release: ends the edit and tells the host, whatever it answers.
    template <class Knob>
    static VSTGUI::CMouseEventResult MouseUp(Knob& knob, const VSTGUI::CButtonState& buttons) {
        knob.endEdit();
        HostTakes(knob, &AAX_IViewContainer::HandleParameterMouseUp, buttons);
        return VSTGUI::kMouseEventHandled;
    }

private:
    static VSTGUI::int32 FramesIn(const VSTGUI::CBitmap* strip, double frameHeight) {
        if (!strip || frameHeight <= 0) return 0;
        return VSTGUI::int32(strip->getHeight() / frameHeight);
    }

    // Offers an event to the host when the knob is bound; true when the host
    // took it (answered 0).
    template <class Knob>
    static bool HostTakes(Knob& knob, AAX_Result (AAX_IViewContainer::*handler)(AAX_CParamID, uint32_t),
                          const VSTGUI::CButtonState& buttons) {
        if (!knob.m_pViewContainer || !knob.m_pParamID) return false;
        return (knob.m_pViewContainer->*handler)(knob.m_pParamID, HostModifiers(buttons)) == AAX_SUCCESS;
    }
};
