#include "COrvanta_VST_AnimKnob_Switch.h"

#include <cstring>

#include "COrvanta_VST_AnimKnobBehaviour.h"

using Behaviour = COrvanta_VST_AnimKnobBehaviour;

COrvanta_VST_AnimKnob_Switch::COrvanta_VST_AnimKnob_Switch(const VSTGUI::CRect& size,
                                                           VSTGUI::CControlListener* listener,
                                                           VSTGUI::int32 tag, VSTGUI::CBitmap* background,
                                                           const VSTGUI::CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset, 0) {
    Behaviour::Construct(*this);
}

COrvanta_VST_AnimKnob_Switch::COrvanta_VST_AnimKnob_Switch(const COrvanta_VST_AnimKnob_Switch& other)
    : CKnob(other), IMultiBitmapControl() {
    Behaviour::CopyGeometry(*this, other);
}

COrvanta_VST_AnimKnob_Switch::~COrvanta_VST_AnimKnob_Switch() = default;

bool COrvanta_VST_AnimKnob_Switch::isTypeOf(const char* name) const {
    return (name && std::strcmp(name, "COrvanta_VST_AnimKnob_Switch") == 0) || CKnob::isTypeOf(name);
}

void COrvanta_VST_AnimKnob_Switch::draw(VSTGUI::CDrawContext* context) { Behaviour::Draw(*this, context); }

VSTGUI::CMouseEventResult COrvanta_VST_AnimKnob_Switch::onMouseDown(VSTGUI::CPoint& where,
                                                                    const VSTGUI::CButtonState& buttons) {
    return Behaviour::MouseDown(*this, where, buttons);
}

VSTGUI::CMouseEventResult COrvanta_VST_AnimKnob_Switch::onMouseMoved(VSTGUI::CPoint& where,
                                                                     const VSTGUI::CButtonState& buttons) {
    return Behaviour::MouseMoved(*this, where, buttons);
}

VSTGUI::CMouseEventResult COrvanta_VST_AnimKnob_Switch::onMouseUp(VSTGUI::CPoint&,
                                                                  const VSTGUI::CButtonState& buttons) {
    return Behaviour::MouseUp(*this, buttons);
}

bool COrvanta_VST_AnimKnob_Switch::sizeToFit() { return Behaviour::SizeToFit(*this); }

void COrvanta_VST_AnimKnob_Switch::setBackground(VSTGUI::CBitmap* background) {
    Behaviour::SetBackground(*this, background);
}

void COrvanta_VST_AnimKnob_Switch::setHeightOfOneImage(const VSTGUI::CCoord& height) {
    Behaviour::SetHeightOfOneImage(*this, height);
}

void COrvanta_VST_AnimKnob_Switch::setNumSubPixmaps(VSTGUI::int32 frames) {
    Behaviour::SetNumSubPixmaps(*this, frames);
}
