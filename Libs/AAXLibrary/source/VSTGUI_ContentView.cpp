#include "VSTGUI_ContentView.h"

using VSTGUI::CDragContainer;
using VSTGUI::CPoint;
using VSTGUI::CRect;
using VSTGUI::CViewContainer;

VSTGUI_ContentView::VSTGUI_ContentView(void* nativeView, AAX_IEffectParameters* parameters,
                                       VSTGUI::VSTGUIEditorInterface* editor)
    : CFrame(CRect(0, 0, 0, 0), nativeView, editor), m_pEffectParameters(parameters) {}

VSTGUI_ContentView::~VSTGUI_ContentView() = default;

bool VSTGUI_ContentView::getSize(CRect* size) const {
    if (!isVisible() || !(getAlphaValue() > 0.0f)) return false;
    return CFrame::getSize(size);
}

bool VSTGUI_ContentView::onDrop(CDragContainer* drag, const CPoint& where) {
    return CViewContainer::onDrop(drag, where);
}

void VSTGUI_ContentView::onDragEnter(CDragContainer* drag, const CPoint& where) {
    CViewContainer::onDragEnter(drag, where);
}

void VSTGUI_ContentView::onDragLeave(CDragContainer* drag, const CPoint& where) {
    CViewContainer::onDragLeave(drag, where);
}

void VSTGUI_ContentView::onDragMove(CDragContainer* drag, const CPoint& where) {
    CViewContainer::onDragMove(drag, where);
}
