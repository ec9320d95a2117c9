// Test helper: one effect instance with its editor under the substitute
// host, as a host runs them. The data model (Orvanta_Parameters) is
// initialised with the host's controller, which also answers the instance's
// effect parameters; the editor (Orvanta_GUI) is initialised with that
// controller and opened in a view container holding a platform view.
// Answer() plays the host's part of the parameter road: it answers every
// queued set-value request with UpdateParameterNormalizedValue and then
// tells the editor with ParameterUpdated.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AAX_CString.h"
#include "AAX_IEffectGUI.h"
#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "effect/editor/COrvanta_VST_AnimKnob.h"
#include "effect/editor/COrvanta_VST_AnimKnob_Switch.h"
#include "effect/editor/COrvanta_VST_AnimKnob_Switch_Fine.h"
#include "effect/editor/Orvanta_GUI.h"
#include "effect/editor/Orvanta_View.h"
#include "effect/model/Orvanta_Parameters.h"
#include "host/objects/HostAutomationDelegate.h"
#include "host/objects/HostController.h"
#include "host/objects/HostTransport.h"
#include "host/objects/HostViewContainer.h"
#include "tests/toolkit/ToolkitTestSupport.h"

// The committed artwork, used because the test program is no module bundle.
inline std::string ArtworkFolder() { return std::string(ORVANTA_SOURCE_DIR) + "/resources/bitmaps"; }

class EditorHarness {
public:
    explicit EditorHarness(bool open = true, const std::string& resourceFolder = ArtworkFolder())
        : controller(HostController::Create(48000.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo)),
          automation(HostAutomationDelegate::Create()),
          transport(HostTransport::Create(48000.0f)),
          model(Orvanta_Parameters::Create()) {
        controller->AttachAutomationDelegate(automation.get());
        controller->AttachTransport(transport.get());
        model->AddRef();
        model->Initialize(controller->Identity());
        controller->AttachEffectParameters(model->GetPrivateUnknown());

        Orvanta_GUI::SetFallbackResourceFolder(resourceFolder);
        gui = static_cast<Orvanta_GUI*>(Orvanta_GUI::Create());
        gui->AddRef();
        initializeResult = gui->Initialize(controller->Identity());
        container = HostViewContainer::Create(&native);
        if (open) Open();
    }
    ~EditorHarness() {
        gui->SetViewContainer(nullptr);
        gui->Uninitialize();
        gui->Release();
        model->Uninitialize();
        controller->AttachEffectParameters(nullptr);
        model->Release();
        controller->AttachAutomationDelegate(nullptr);
        controller->AttachTransport(nullptr);
    }
    EditorHarness(const EditorHarness&) = delete;
    EditorHarness& operator=(const EditorHarness&) = delete;

    void Open() { gui->SetViewContainer(container->Identity()); }
    void Close() { gui->SetViewContainer(nullptr); }
    Orvanta_View* View() const { return dynamic_cast<Orvanta_View*>(gui->getFrame()); }

    // Answers every queued set-value request and notifies the editor.
    size_t Answer() {
        const auto requests = automation->TakeSetValueRequests();
        for (const auto& request : requests) {
            model->UpdateParameterNormalizedValue(request.parameterID.c_str(), request.normalizedValue,
                                                  AAX_eUpdateSource_Parameter);
            gui->ParameterUpdated(request.parameterID.c_str());
        }
        return requests.size();
    }
    // A change made by the host itself (automation), then the notification.
    void Automate(const char* id, double normalized) {
        model->UpdateParameterNormalizedValue(id, normalized, AAX_eUpdateSource_Parameter);
        gui->ParameterUpdated(id);
    }

    double Normalized(const char* id) const {
        double value = -1.0;
        model->GetParameterNormalizedValue(id, &value);
        return value;
    }

    // Clicks at a point and types text into whatever takes the focus, then
    // presses Return; the host answers.
    void TypeInto(const VSTGUI::CPoint& where, const std::string& text) {
        native.mouseDown(where, VSTGUI::CLinuxNativeView::kLeftButton);
        native.mouseUp(where, VSTGUI::CLinuxNativeView::kLeftButton);
        native.typeText(text);
        native.keyDown(0, VSTGUI::VKEY_RETURN);
        Answer();
    }
    void Click(const VSTGUI::CPoint& where, uint32_t modifiers = 0) {
        native.mouseDown(where, VSTGUI::CLinuxNativeView::kLeftButton, modifiers);
        native.mouseUp(where, VSTGUI::CLinuxNativeView::kLeftButton, modifiers);
        Answer();
    }

    // The automation requests of one kind for one parameter, in order.
    std::vector<HostAutomationDelegate::Event> Requests(HostAutomationDelegate::Event::Kind kind,
                                                        const std::string& id) const {
        std::vector<HostAutomationDelegate::Event> found;
        for (const auto& event : automation->Events())
            if (event.kind == kind && event.parameterID == id) found.push_back(event);
        return found;
    }

    ACFPtr<HostController> controller;
    ACFPtr<HostAutomationDelegate> automation;
    ACFPtr<HostTransport> transport;
    AAX_CEffectParameters* model;
    Orvanta_GUI* gui = nullptr;
    AAX_Result initializeResult = -1;
    VSTGUI::CLinuxNativeView native;
    ACFPtr<HostViewContainer> container;
};
