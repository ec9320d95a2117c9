#include "COrvanta_VST_AnimKnob_Switch_Fine.h"

#include <cstring>

#include "COrvanta_VST_AnimKnobBehaviour.h"

using Behaviour = COrvanta_VST_AnimKnobBehaviour;

COrvanta_VST_AnimKnob_Switch_Fine::COrvanta_VST_AnimKnob_Switch_Fine(const VSTGUI::CRect& size,
                                                                     VSTGUI::CControlListener* listener,
                                                                     VSTGUI::int32 tag,
                                                                     VSTGUI::CBitmap* background,
                                                                     const VSTGUI::CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset, 0) {
    Behaviour::Construct(*this);
}

COrvanta_VST_AnimKnob_Switch_Fine::~COrvanta_VST_AnimKnob_Switch_Fine() = default;

void COrvanta_VST_AnimKnob_Switch_Fine::draw(VSTGUI::CDrawContext* context) {
    Behaviour::Draw(*this, context);
}

VSTGUI::CMouseEventResult COrvanta_VST_AnimKnob_Switch_Fine::onMouseDown(
    VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) {
    return Behaviour::MouseDown(*this, where, buttons);
}

VSTGUI::CMouseEventResult COrvanta_VST_AnimKnob_Switch_Fine::onMouseMoved(
    VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) {
    return Behaviour::MouseMoved(*this, where, buttons);
}

VSTGUI::CMouseEventResult COrvanta_VST_AnimKnob_Switch_Fine::onMouseUp(VSTGUI::CPoint&,
                                                                       const VSTGUI::CButtonState& buttons) {
    return Behaviour::MouseUp(*this, buttons);
}

bool COrvanta_VST_AnimKnob_Switch_Fine::sizeToFit() { return Behaviour::SizeToFit(*this); }

void COrvanta_VST_AnimKnob_Switch_Fine::setBackground(VSTGUI::CBitmap* background) {
    Behaviour::SetBackground(*this, background);
}

void COrvanta_VST_AnimKnob_Switch_Fine::setHeightOfOneImage(const VSTGUI::CCoord& height) {
    Behaviour::SetHeightOfOneImage(*this, height);
}

void COrvanta_VST_AnimKnob_Switch_Fine::setNumSubPixmaps(VSTGUI::int32 frames) {
    Behaviour::SetNumSubPixmaps(*this, frames);
}
