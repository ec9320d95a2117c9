#include "AAX_CEffectGUI.h"

#include "AAX_CAutoreleasePool.h"
#include "AAX_CString.h"
#include "AAX_IEffectParameters.h"
#include "AAX_UIDs.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"

AAX_CEffectGUI::AAX_CEffectGUI() = default;

AAX_CEffectGUI::~AAX_CEffectGUI() {
    AAX_CAutoreleasePool pool;
    AAX_CEffectGUI::Uninitialize();
}

AAX_Result AAX_CEffectGUI::Initialize(IACFUnknown* hostController) {
    if (m_pController || m_pEffectParameters || m_pTransport) AAX_CEffectGUI::Uninitialize();
    if (!hostController) return AAX_ERROR_NO_HOST_OBJECT;
    m_pController = new AAX_VController(hostController);

    // The host's answer for the data model's identifier is the data model
    // object itself, whose interface part starts at its address.
    void* parameters = nullptr;
    if (hostController->QueryInterface(IID_IAAXEffectParametersV1, &parameters) == ACF_OK && parameters)
        m_pEffectParameters = static_cast<AAX_IEffectParameters*>(static_cast<AAX_IACFEffectParameters*>(parameters));
    m_pTransport = new AAX_VTransport(hostController);
    CreateViewContents();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Uninitialize() {
    if (m_pEffectParameters) {
        m_pEffectParameters->Release();
        m_pEffectParameters = nullptr;
    }
    delete m_pController;
    m_pController = nullptr;
    delete m_pTransport;
    m_pTransport = nullptr;
    DestroyViewContainerWrapper();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::NotificationReceived(AAX_CTypeID, const void*, uint32_t) { return AAX_SUCCESS; }

void AAX_CEffectGUI::DestroyViewContainerWrapper() {
    delete m_pViewContainer;
    m_pViewContainer = nullptr;
}

AAX_Result AAX_CEffectGUI::SetViewContainer(IACFUnknown* viewContainer) {
    if (viewContainer) {
        // An editor still open belongs to the old container: its controls
        // hold the old wrapper, so close it before the wrapper goes.
        if (m_pViewContainer) DeleteViewContainer();
        DestroyViewContainerWrapper();
        m_pViewContainer = new AAX_VViewContainer(viewContainer);
        CreateViewContainer();
        UpdateAllParameters();
    } else {
        AAX_IViewContainer* closing = m_pViewContainer;
        m_pViewContainer = nullptr;
        DeleteViewContainer();
        delete closing;
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetViewSize(AAX_Point*) const { return AAX_SUCCESS; }

AAX_Result AAX_CEffectGUI::Draw(AAX_Rect*) { return AAX_SUCCESS; }

AAX_Result AAX_CEffectGUI::TimerWakeup() { return AAX_SUCCESS; }

AAX_Result AAX_CEffectGUI::ParameterUpdated(AAX_CParamID) { return AAX_SUCCESS; }

AAX_Result AAX_CEffectGUI::GetCustomLabel(AAX_EPlugInStrings, AAX_IString*) const { return AAX_ERROR_NULL_OBJECT; }

AAX_Result AAX_CEffectGUI::SetControlHighlightInfo(AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor) {
    return AAX_SUCCESS;
}

AAX_EViewContainer_Type AAX_CEffectGUI::GetViewContainerType() const {
    return m_pViewContainer ? static_cast<AAX_EViewContainer_Type>(m_pViewContainer->GetType())
                            : AAX_eViewContainer_Type_NULL;
}

void* AAX_CEffectGUI::GetViewContainerPtr() const {
    return m_pViewContainer ? m_pViewContainer->GetPtr() : nullptr;
}

void AAX_CEffectGUI::UpdateAllParameters() {
    if (!m_pEffectParameters) return;
    int32_t count = 0;
    if (m_pEffectParameters->GetNumberOfParameters(&count) != AAX_SUCCESS) return;
    for (int32_t index = 0; index < count; ++index) {
        AAX_CString identifier;
        if (m_pEffectParameters->GetParameterIDFromIndex(index, &identifier) == AAX_SUCCESS)
            ParameterUpdated(identifier.Get());
    }
}
