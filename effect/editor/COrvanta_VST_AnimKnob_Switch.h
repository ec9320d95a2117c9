// COrvanta_VST_AnimKnob_Switch: the five-position type selector. It sends a continuous
// value; the integer parameter it drives quantises it.
// A filmstrip knob: it shows the frame of its value and follows the mouse,
// offering every press, drag and release to the host's view container for
// its parameter first (see COrvanta_VST_AnimKnobBehaviour). A plain drag
// covers the range in 200 pixels.
//
// Every entry point runs on the user-interface thread, through the
// toolkit's event and drawing dispatch; none may block.
#pragma once

#include "AAX_IViewContainer.h"
#include "toolkit/CKnob.h"
#include "toolkit/IMultiBitmapControl.h"

class COrvanta_VST_AnimKnob_Switch : public VSTGUI::CKnob, public VSTGUI::IMultiBitmapControl {
public:
    // Pixels of plain drag travel that cover the whole range.
    static constexpr float kBaseDragRange = 200.0f;

    COrvanta_VST_AnimKnob_Switch(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener,
                                 VSTGUI::int32 tag, VSTGUI::CBitmap* background,
                                 const VSTGUI::CPoint& offset = VSTGUI::CPoint(0, 0));
    // Same rectangle, listener, tag, filmstrip and frame geometry; no
    // gesture in progress and not bound.
    COrvanta_VST_AnimKnob_Switch(const COrvanta_VST_AnimKnob_Switch& other);
    ~COrvanta_VST_AnimKnob_Switch() override;

    // Binding, set once by the editor right after construction. The
    // identifier is kept as a pointer and must outlive the knob.
    void SetViewContainer(AAX_IViewContainer* viewContainer) { m_pViewContainer = viewContainer; }
    void SetParamID(const char* parameterID) { m_pParamID = parameterID; }
    AAX_IViewContainer* GetViewContainer() const { return m_pViewContainer; }
    const char* GetParamID() const { return m_pParamID; }

    // True for "COrvanta_VST_AnimKnob_Switch", otherwise the toolkit knob's answer.
    bool isTypeOf(const char* name) const override;
    VSTGUI::CView* newCopy() const override { return new COrvanta_VST_AnimKnob_Switch(*this); }
    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where,
                                           const VSTGUI::CButtonState& buttons) override;
    bool sizeToFit() override;
    void setBackground(VSTGUI::CBitmap* background) override;
    void setHeightOfOneImage(const VSTGUI::CCoord& height) override;
    void setNumSubPixmaps(VSTGUI::int32 frames) override;

private:
    friend struct COrvanta_VST_AnimKnobBehaviour;

    VSTGUI::CPoint m_ptPress;
    VSTGUI::CPoint m_ptPrevious;
    float m_fCircularStart = 0.0f;
    float m_fLinearBase = 0.0f;
    float m_fDragRange = kBaseDragRange;
    float m_fValuePerPixel = 0.0f;
    VSTGUI::CButtonState m_DragButtons;
    bool m_bLinearDrag = false;
    const char* m_pParamID = nullptr;
    AAX_IViewContainer* m_pViewContainer = nullptr;
};
