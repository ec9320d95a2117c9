// AAX_CEffectGUI: the host-facing base of an effect's editor. It wraps the
// host's controller, transport and view container, keeps the instance's
// effect-parameters interface, opens and closes the editor when the host
// hands it a view container or withdraws it, and pushes every parameter to
// the editor once it is open. A toolkit-specific subclass creates and
// deletes the editor's views (CreateViewContainer, DeleteViewContainer); the
// effect's own class loads its resources (CreateViewContents).
//
// Threads: everything runs on the host's user-interface thread; nothing here
// locks, and no operation throws: failures are result codes.
#pragma once

#include "AAX_IEffectGUI.h"

class AAX_IController;
class AAX_IEffectParameters;
class AAX_ITransport;
class AAX_IViewContainer;

class AAX_CEffectGUI : public AAX_IEffectGUI {
public:
    AAX_CEffectGUI();
    // Ends with Uninitialize().
    ~AAX_CEffectGUI() override;
    AAX_CEffectGUI(const AAX_CEffectGUI&) = delete;
    AAX_CEffectGUI& operator=(const AAX_CEffectGUI&) = delete;

    // ---- AAX_IACFEffectGUI (user-interface thread) ----
    // Wraps hostController, keeps the effect-parameters interface it answers,
    // wraps its transport and calls CreateViewContents(). A second call first
    // releases what the first acquired. AAX_ERROR_NO_HOST_OBJECT without a
    // host object.
    AAX_Result Initialize(IACFUnknown* hostController) override;
    // Releases the effect-parameters interface and destroys the wrappers.
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived(AAX_CTypeID notificationType, const void* notificationData,
                                    uint32_t notificationDataSize) override;
    // Opens the editor in viewContainer (closing an editor still open first),
    // then pushes every parameter to it; null closes the editor. Always 0.
    AAX_Result SetViewContainer(IACFUnknown* viewContainer) override;
    // The base knows no size: leaves viewSize alone. 0.
    AAX_Result GetViewSize(AAX_Point* viewSize) const override;
    // The base draws nothing. 0.
    AAX_Result Draw(AAX_Rect* drawRect) override;
    // The editor runs on its toolkit's own timers. 0.
    AAX_Result TimerWakeup() override;
    // The base shows nothing. 0.
    AAX_Result ParameterUpdated(AAX_CParamID parameterID) override;
    // No custom labels: AAX_ERROR_NULL_OBJECT.
    AAX_Result GetCustomLabel(AAX_EPlugInStrings selector, AAX_IString* label) const override;
    // No automation highlight is shown. 0.
    AAX_Result SetControlHighlightInfo(AAX_CParamID parameterID, AAX_CBoolean isHighlighted,
                                       AAX_EHighlightColor color) override;

    // ---- accessors ----
    AAX_IEffectParameters* GetEffectParameters() const { return m_pEffectParameters; }
    AAX_IController* GetController() const { return m_pController; }
    AAX_ITransport* Transport() const { return m_pTransport; }
    AAX_IViewContainer* GetViewContainer() const { return m_pViewContainer; }
    // The container's type and native view; 0 and null without a container.
    AAX_EViewContainer_Type GetViewContainerType() const;
    void* GetViewContainerPtr() const;

protected:
    // When the host initialises the editor, before any view exists: load
    // whatever the editor's views will need.
    virtual void CreateViewContents() = 0;
    // The host handed a view container: create the editor's views in it.
    virtual void CreateViewContainer() = 0;
    // Delete the editor's views (nothing if there are none).
    virtual void DeleteViewContainer() = 0;
    // Calls ParameterUpdated for every parameter of the data model, by index.
    virtual void UpdateAllParameters();

private:
    void DestroyViewContainerWrapper();

    AAX_IController* m_pController = nullptr;
    AAX_IEffectParameters* m_pEffectParameters = nullptr;
    AAX_IViewContainer* m_pViewContainer = nullptr;
    AAX_ITransport* m_pTransport = nullptr;
};
