#include "AAX_CEffectGUI_VST.h"

#include "AAX_CAutoreleasePool.h"
#include "AAX_IViewContainer.h"
#include "VSTGUI_ContentView.h"

AAX_CEffectGUI_VST::AAX_CEffectGUI_VST() = default;

AAX_CEffectGUI_VST::~AAX_CEffectGUI_VST() { AAX_CEffectGUI_VST::DeleteViewContainer(); }

AAX_Result AAX_CEffectGUI_VST::GetViewSize(AAX_Point* viewSize) const {
    if (!viewSize) return AAX_SUCCESS;
    VSTGUI::CRect size = m_LastFrameSize;
    if (frame) frame->getSize(&size);
    viewSize->vert = float(size.getHeight());
    viewSize->horz = float(size.getWidth());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI_VST::Draw(AAX_Rect* drawRect) {
    if (frame && drawRect) {
        const VSTGUI::CRect area(drawRect->left, drawRect->top, drawRect->left + drawRect->width,
                                 drawRect->top + drawRect->height);
        frame->drawRect(nullptr, area);
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI_VST::Uninitialize() {
    DeleteViewContainer();
    return AAX_CEffectGUI::Uninitialize();
}

void AAX_CEffectGUI_VST::CreateViewContainer() {
    void* nativeView = GetViewContainerPtr();
    if (GetViewContainerType() != AAX_eViewContainer_Type_NSView || !nativeView) return;
    // The Linux toolkit has a single kind of native view, so there is no
    // platform mode to choose for the frame.
    if (frame) DeleteViewContainer();
    CreateEffectView(nativeView);
    if (!frame) return;
    frame->getSize(&m_LastFrameSize);
    AAX_Point size(float(m_LastFrameSize.getHeight()), float(m_LastFrameSize.getWidth()));
    if (GetViewContainer()) GetViewContainer()->SetViewSize(size);
}

void AAX_CEffectGUI_VST::DeleteViewContainer() {
    AAX_CAutoreleasePool pool;
    if (!frame) return;
    frame->getSize(&m_LastFrameSize);
    VSTGUI::CFrame* closing = frame;
    frame = nullptr;
    closing->forget();
}

void AAX_CEffectGUI_VST::CreateEffectView(void* nativeView) {
    auto* contentView = new VSTGUI_ContentView(nativeView, GetEffectParameters(), this);
    contentView->setBackgroundColor(VSTGUI::kGreyCColor);
    frame = contentView;
}
