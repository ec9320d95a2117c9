// COrvanta_FilmstripKnob: the one implementation of the editor's three
// filmstrip knobs (COrvanta_VST_AnimKnob, COrvanta_VST_AnimKnob_Switch,
// COrvanta_VST_AnimKnob_Switch_Fine), each a specialisation of it for its
// variant: the knob's class name for the toolkit's type test (none: the
// toolkit knob's test and copy are kept) and the pixels of plain drag travel
// that cover the whole range.
//
// A filmstrip knob shows the frame of its value and follows the mouse,
// offering every press, drag and release to the host's view container for
// its parameter first; the knob handles the event only when the host
// declines it.
//
// Every entry point runs on the user-interface thread, through the
// toolkit's event and drawing dispatch; none may block, lock or allocate
// (but newCopy).
#pragma once

#include <cstdint>

#include "AAX_IViewContainer.h"
#include "toolkit/CKnob.h"
#include "toolkit/IMultiBitmapControl.h"

template <class Variant>
class COrvanta_FilmstripKnob : public VSTGUI::CKnob, public VSTGUI::IMultiBitmapControl {
public:
    // Pixels of plain drag travel that cover the whole range.
    static constexpr float kBaseDragRange = Variant::kBaseDragRange;

    COrvanta_FilmstripKnob(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, VSTGUI::int32 tag,
                           VSTGUI::CBitmap* background, const VSTGUI::CPoint& offset = VSTGUI::CPoint(0, 0));
    // Same rectangle, listener, tag, filmstrip and frame geometry; no
    // gesture in progress and not bound.
    COrvanta_FilmstripKnob(const COrvanta_FilmstripKnob& other);
    ~COrvanta_FilmstripKnob() override = default;

    // Binding, set once by the editor right after construction. The
    // identifier is kept as a pointer and must outlive the knob.
    void SetViewContainer(AAX_IViewContainer* viewContainer) { m_pViewContainer = viewContainer; }
    void SetParamID(const char* parameterID) { m_pParamID = parameterID; }
    AAX_IViewContainer* GetViewContainer() const { return m_pViewContainer; }
    const char* GetParamID() const { return m_pParamID; }

    // True for the variant's class name, otherwise the toolkit knob's answer.
    bool isTypeOf(const char* name) const override;
    // A copy of this knob; for a variant without a class name, a copy of the
    // toolkit knob only.
    VSTGUI::CView* newCopy() const override;
    // Draws frame floor(value x (frames - 1)) of the filmstrip.
    void draw(VSTGUI::CDrawContext* context) override;
    // A press: offered to the host first; otherwise a reset to the default
    // value (left button with Option), or the start of a linear drag (the
    // editor's knob mode, or Option in other modes; Command for the fine
    // range) or of a circular one.
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    // A release: ends the edit and tells the host, whatever it answers.
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    // A move: offered to the host first; then the linear or circular drag.
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    bool sizeToFit() override;
    void setBackground(VSTGUI::CBitmap* background) override;
    void setHeightOfOneImage(const VSTGUI::CCoord& height) override;
    void setNumSubPixmaps(VSTGUI::int32 frames) override;

    // The host's modifier word for a toolkit button state: each key keeps
    // its meaning (Shift 1, Control 2, Option 4, Command 8, right button 16).
    static uint32_t HostModifiers(const VSTGUI::CButtonState& buttons);

private:
    // Offers an event to the host when the knob is bound; true when the host
    // took it (answered 0).
    bool HostTakes(AAX_Result (AAX_IViewContainer::*handler)(AAX_CParamID, uint32_t),
                   const VSTGUI::CButtonState& buttons) const;
    void StartGesture(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons);
    void MoveLinear(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons);
    void MoveCircular(VSTGUI::CPoint& where);

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
