#include "COrvanta_VST_AnimKnob.h"

#include <cstring>

#include "COrvanta_VST_AnimKnobBehaviour.h"

using Behaviour = COrvanta_VST_AnimKnobBehaviour;

COrvanta_VST_AnimKnob::COrvanta_VST_AnimKnob(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener,
                                             VSTGUI::int32 tag, VSTGUI::CBitmap* background,
                                             const VSTGUI::CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset, 0) {
    Behaviour::Construct(*this);
}

COrvanta_VST_AnimKnob::COrvanta_VST_AnimKnob(const COrvanta_VST_AnimKnob& other)
    : CKnob(other), IMultiBitmapControl() {
    Behaviour::CopyGeometry(*this, other);
}

COrvanta_VST_AnimKnob::~COrvanta_VST_AnimKnob() = default;

bool COrvanta_VST_AnimKnob::isTypeOf(const char* name) const {
    return (name && std::strcmp(name, "COrvanta_VST_AnimKnob") == 0) || CKnob::isTypeOf(name);
}

void COrvanta_VST_AnimKnob::draw(VSTGUI::CDrawContext* context) { Behaviour::Draw(*this, context); }

VSTGUI::CMouseEventResult COrvanta_VST_AnimKnob::onMouseDown(VSTGUI::CPoint& where,
                                                             const VSTGUI::CButtonState& buttons) {
    return Behaviour::MouseDown(*this, where, buttons);
}

VSTGUI::CMouseEventResult COrvanta_VST_AnimKnob::onMouseMoved(VSTGUI::CPoint& where,
                                                              const VSTGUI::CButtonState& buttons) {
    return Behaviour::MouseMoved(*this, where, buttons);
}

VSTGUI::CMouseEventResult COrvanta_VST_AnimKnob::onMouseUp(VSTGUI::CPoint&,
                                                           const VSTGUI::CButtonState& buttons) {
    return Behaviour::MouseUp(*this, buttons);
}

bool COrvanta_VST_AnimKnob::sizeToFit() { return Behaviour::SizeToFit(*this); }

void COrvanta_VST_AnimKnob::setBackground(VSTGUI::CBitmap* background) {
    Behaviour::SetBackground(*this, background);
}

void COrvanta_VST_AnimKnob::setHeightOfOneImage(const VSTGUI::CCoord& height) {
    Behaviour::SetHeightOfOneImage(*this, height);
}

void COrvanta_VST_AnimKnob::setNumSubPixmaps(VSTGUI::int32 frames) {
    Behaviour::SetNumSubPixmaps(*this, frames);
}
