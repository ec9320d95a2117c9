// A momentary button drawn from a two-image bitmap: the released image at
// `offset`, the pressed image one button-height (heightOfOneImage) lower.
// While the left button is held it shows pressed whenever the pointer is
// over it. At the release it tells the listener twice when released over it
// (first at its pressed value, the maximum, then sprung back to the minimum)
// and once, sprung back, when released elsewhere. A press and its release
// are bracketed by a begin and an end of edit.
//
// User-interface thread only.
#pragma once

#include "CControl.h"

namespace VSTGUI {

class CKickButton : public CControl {
public:
    CKickButton(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                const CPoint& offset = CPoint(0, 0));
    CKickButton(const CRect& size, CControlListener* listener, int32 tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint(0, 0));
    // A copy is not pressed.
    CKickButton(const CKickButton& other)
        : CControl(other), m_offset(other.m_offset), m_heightOfOneImage(other.m_heightOfOneImage) {}

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    bool sizeToFit() override;

    void setHeightOfOneImage(CCoord height) { m_heightOfOneImage = height; }
    CCoord getHeightOfOneImage() const { return m_heightOfOneImage; }
    const CPoint& getOffset() const { return m_offset; }

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CKickButton(*this); }

private:
    CPoint m_offset;
    CCoord m_heightOfOneImage;
    bool m_bPressing = false;
};

}  // namespace VSTGUI
