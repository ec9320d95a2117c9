// The data model of tests/model with its editor, opened in a view container over a platform view.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AAX_IEffectGUI.h"
#include "effect/editor/COrvanta_VST_AnimKnob.h"
#include "effect/editor/COrvanta_VST_AnimKnob_Switch.h"
#include "effect/editor/COrvanta_VST_AnimKnob_Switch_Fine.h"
#include "effect/editor/Orvanta_GUI.h"
#include "effect/editor/Orvanta_View.h"
#include "host/objects/HostViewContainer.h"
#include "tests/model/ModelHarness.h"
#include "tests/toolkit/ToolkitTestSupport.h"

// The committed artwork, used because the test program is no module bundle.
inline std::string ArtworkFolder() { return std::string(ORVANTA_SOURCE_DIR) + "/resources/bitmaps"; }

class EditorHarness : public ModelHarness {
public:
    explicit EditorHarness(bool open = true, const std::string& resourceFolder = ArtworkFolder()) {
        controller->AttachEffectParameters(model->GetPrivateUnknown());
        Orvanta_GUI::SetFallbackResourceFolder(resourceFolder);
        gui = static_cast<Orvanta_GUI*>(Orvanta_GUI::Create());
        gui->AddRef();
        guiInitializeResult = gui->Initialize(controller->Identity());
        container = HostViewContainer::Create(&native);
        if (open) Open();
    }
    ~EditorHarness() override {
        gui->SetViewContainer(nullptr);
        gui->Uninitialize();
        gui->Release();
        controller->AttachEffectParameters(nullptr);
    }

    void Open() { gui->SetViewContainer(container->Identity()); }
    void Close() { gui->SetViewContainer(nullptr); }
    Orvanta_View* View() const { return dynamic_cast<Orvanta_View*>(gui->getFrame()); }

    // The host's change, then the notification to the editor.
    void Automate(const char* id, double normalized) override {
        ModelHarness::Automate(id, normalized);
        gui->ParameterUpdated(id);
    }

    // Clicks, types text into whatever takes the focus and presses Return; the host answers.
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

    Orvanta_GUI* gui = nullptr;
    AAX_Result guiInitializeResult = -1;
    VSTGUI::CLinuxNativeView native;
    ACFPtr<HostViewContainer> container;
};
