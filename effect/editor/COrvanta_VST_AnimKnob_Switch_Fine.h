// COrvanta_VST_AnimKnob_Switch_Fine: the three-position brightness switch, with a
// shorter drag range than the other knobs. It sends a continuous value; the
// integer parameter it drives quantises it.
// A filmstrip knob: it shows the frame of its value and follows the mouse,
// offering every press, drag and release to the host's view container for
// its parameter first (see COrvanta_VST_AnimKnobBehaviour). A plain drag
// covers the range in 100 pixels.
//
// Every entry point runs on the user-interface thread, through the
// toolkit's event and drawing dispatch; none may block.
#pragma once

#include "AAX_IViewContainer.h"
#include "toolkit/CKnob.h"
#include "toolkit/IMultiBitmapControl.h"

class COrvanta_VST_AnimKnob_Switch_Fine : public VSTGUI::CKnob, public VSTGUI::IMultiBitmapControl {
public:
    // Pixels of plain drag travel that cover the whole range.
    static constexpr float kBaseDragRange = 100.0f;

    COrvanta_VST_AnimKnob_Switch_Fine(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener,
                                      VSTGUI::int32 tag, VSTGUI::CBitmap* background,
                                      const VSTGUI::CPoint& offset = VSTGUI::CPoint(0, 0));
    ~COrvanta_VST_AnimKnob_Switch_Fine() override;

    // Binding, set once by the editor right after construction. The
    // identifier is kept as a pointer and must outlive the knob.
    void SetViewContainer(AAX_IViewContainer* viewContainer) { m_pViewContainer = viewContainer; }
    void SetParamID(const char* parameterID) { m_pParamID = parameterID; }
    AAX_IViewContainer* GetViewContainer() const { return m_pViewContainer; }
    const char* GetParamID() const { return m_pParamID; }

    // The type test and copy stay the toolkit knob's: a copy is a plain CKnob.
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
