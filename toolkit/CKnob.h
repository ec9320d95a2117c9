// A rotary control. Its picture is the background bitmap (drawn from
// `offset`) with a handle on top: a handle bitmap, or a line (draw style 0)
// or a dot (kHandleCircleDrawing) from the centre towards the value's angle.
//
// Angles run clockwise from the positive x axis (screen coordinates, y
// down). The sweep starts at 3/4 pi (lower left) and covers 3/2 pi through
// the top to the lower right; the gap of 1/2 pi at the bottom is dead.
//
// Decided behaviours:
// - Circular point-to-value mapping (valueFromPoint): the angle of the point
//   around the view's centre gives the value proportionally along the sweep.
//   A point in the dead gap gives the nearer end of the sweep: left of
//   straight down the minimum, right of it the maximum. The exact centre
//   carries no angle and gives the current value.
// - Mouse wheel: each notch adds 0.1 of the range (the wheel increment),
//   a tenth of that with the fine-adjustment (command) key; positive
//   distance (away from the user) raises the value.
// - Arrow keys, while the knob has the keyboard focus (a click on a knob
//   gives it the focus): up and right step +1 notch, down and left -1 notch,
//   with the wheel's step and fine key.
// - Each wheel or key step that changes the value redraws the knob and tells
//   the listener between a begin and an end of edit.
// - Mouse drags: a left click with the reset (option) key sets the default
//   value. Otherwise the frame's knob mode decides: in linear mode 200 pixels
//   of travel up or to the right cover the range (times the zoom factor with
//   the fine key), re-based when keys change mid-drag so the value never
//   jumps; in circular mode the value follows the pointer's angle and a drag
//   across the dead gap holds the end it came from; in relative circular
//   mode the value moves by the angle travelled since the press.
//
// User-interface thread only.
#pragma once

#include "CColor.h"
#include "CControl.h"

namespace VSTGUI {

class CKnob : public CControl {
public:
    enum DrawStyle : int32 {
        kLegacyHandleLineDrawing = 0,
        kHandleCircleDrawing = 1 << 1,
    };
    static constexpr float kDefaultZoomFactor = 1.5f;
    // Pixels of linear travel that cover the whole range.
    static constexpr float kLinearDragRange = 200.0f;

    CKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
          CBitmap* handle, const CPoint& offset = CPoint(0, 0),
          int32 drawStyle = kLegacyHandleLineDrawing);
    // A copy shares the bitmaps and has no gesture in progress.
    CKnob(const CKnob& other);
    ~CKnob() override;

    void draw(CDrawContext* context) override;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    int32 onKeyDown(VstKeyCode& keyCode) override;

    // The point (view coordinates, 0,0 at the view's top-left) at which the
    // handle of the current value sits, on the circle of radius
    // half the width minus the inset.
    virtual void valueToPoint(CPoint& point) const;
    // The value at point (view coordinates), as described above.
    virtual float valueFromPoint(CPoint& point) const;

    void setStartAngle(float angle) { m_startAngle = angle; }
    float getStartAngle() const { return m_startAngle; }
    void setRangeAngle(float angle) { m_rangeAngle = angle; }
    float getRangeAngle() const { return m_rangeAngle; }
    void setInsetValue(CCoord inset) { m_inset = inset; }
    CCoord getInsetValue() const { return m_inset; }
    void setZoomFactor(float factor) { m_zoomFactor = factor; }
    float getZoomFactor() const { return m_zoomFactor; }
    void setHandleBitmap(CBitmap* handle);
    CBitmap* getHandleBitmap() const { return m_pHandle; }
    void setColorHandle(const CColor& color) { m_colorHandle = color; }
    void setColorShadowHandle(const CColor& color) { m_colorShadowHandle = color; }
    const CPoint& getOffset() const { return m_offset; }
    int32 getDrawStyle() const { return m_drawStyle; }

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CKnob(*this); }

protected:
    void drawHandle(CDrawContext* context);
    // Adds distance wheel notches (a tenth each when fine) and reports the change.
    bool stepValue(float distance, bool fine);

    float m_startAngle;
    float m_rangeAngle;
    float m_zoomFactor = kDefaultZoomFactor;
    CCoord m_inset = 3;
    CPoint m_offset;
    int32 m_drawStyle;
    CBitmap* m_pHandle = nullptr;
    CColor m_colorHandle = kWhiteCColor;
    CColor m_colorShadowHandle = CColor(0x1C, 0x1C, 0x1C);

private:
    // Gesture state of the knob's own mouse handling.
    CPoint m_firstPoint;
    CPoint m_lastPoint;
    float m_entryValue = 0;
    float m_circularStart = 0;
    float m_valuePerPixel = 0;
    CButtonState m_dragButtons;
    int32 m_dragMode = kCircularMode;
};

}  // namespace VSTGUI
