// Test helper: the effect's module in either of its forms (the bundle the
// build makes, loaded with dlopen, or the entry points linked into the test),
// one instance of it, and an editor session on that instance, as the
// orvanta program opens them. Points on the panel are the centres of its
// controls.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "AAX_CString.h"
#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/editor/Orvanta_GUI.h"
#include "host/runtime/EditorSession.h"
#include "host/runtime/EffectInstance.h"
#include "host/runtime/LinkedEntryPoints.h"
#include "host/runtime/PluginModule.h"

namespace editorcli_test {

enum class Form { Linked, Bundle };

inline const char* FormName(Form form) { return form == Form::Linked ? "linked" : "bundle"; }

inline std::string BundlePath() { return std::string(ORVANTA_BINARY_DIR) + "/" + Orvanta::kBundleName; }

inline std::unique_ptr<PluginModule> LoadModule(Form form) {
    std::string error;
    std::unique_ptr<PluginModule> module;
    if (form == Form::Bundle) {
        module = PluginModule::LoadBundle(BundlePath(), &error);
    } else {
        // The test program is no bundle: the linked editor reads the
        // committed artwork.
        Orvanta_GUI::SetFallbackResourceFolder(std::string(ORVANTA_SOURCE_DIR) + "/resources/bitmaps");
        module = PluginModule::LoadLinked(LinkedEntryPoints(), PluginModule::DefaultBundlePath(Orvanta::kBundleName), &error);
    }
    EXPECT_TRUE(module) << error;
    return module;
}

inline std::unique_ptr<EffectInstance> NewInstance(const PluginModule& module) {
    EffectInstance::Parts parts;
    parts.component = module.ComponentForStemFormat(AAX_eStemFormat_Stereo);
    if (parts.component)
        parts.processProc = reinterpret_cast<AAX_CProcessProc>(module.NativeProcessProc(*parts.component, 48000.0f));
    parts.dataModel = module.CreateDataModel();
    std::string error;
    std::unique_ptr<EffectInstance> instance = EffectInstance::Create(parts, EffectInstance::Setup(), &error);
    EXPECT_TRUE(instance) << error;
    return instance;
}

inline std::unique_ptr<EditorSession> NewSession(const PluginModule& module, EffectInstance& instance) {
    std::string error;
    std::unique_ptr<EditorSession> session = EditorSession::Create(module.CreateEditor(), instance, &error);
    EXPECT_TRUE(session) << error;
    return session;
}

// A module, an instance and an open editor.
struct OpenEditor {
    explicit OpenEditor(Form form = Form::Linked)
        : module(LoadModule(form)), instance(NewInstance(*module)), session(NewSession(*module, *instance)) {
        EXPECT_EQ(session->Open(), AAX_SUCCESS);
    }
    ~OpenEditor() {
        session.reset();
        instance.reset();
    }

    double Normalized(const char* id) const {
        double value = -1.0;
        instance->Parameters().GetParameterNormalizedValue(id, &value);
        return value;
    }
    // One short block: the host generates coefficients and delivers the
    // packet, as before every block.
    SOrvanta_Knob_Packet ProcessAndReadPacket() {
        float silence[2][64] = {};
        float out[2][64];
        float* inputs[] = {silence[0], silence[1]};
        float* outputs[] = {out[0], out[1]};
        instance->ProcessBlock(inputs, outputs, 64);
        SOrvanta_Knob_Packet packet;
        std::memcpy(&packet, instance->Context().DataInPorts().at(0).data, sizeof packet);
        return packet;
    }

    std::unique_ptr<PluginModule> module;
    std::unique_ptr<EffectInstance> instance;
    std::unique_ptr<EditorSession> session;
};

// Centres of the panel's controls.
inline VSTGUI::CPoint Centre(const Orvanta::SOrvanta_EditorRect& rect) {
    return VSTGUI::CPoint(rect.left + rect.width / 2.0, rect.top + rect.height / 2.0);
}

}  // namespace editorcli_test
