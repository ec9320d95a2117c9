// Orvanta_GUI: the effect's editor object, created by the host through the
// factory of the effect description. It finds the module's resource folder
// and loads the editor's bitmaps when initialised, builds the Orvanta_View
// panel when the host supplies a native view, and routes the host's
// parameter notifications to the panel.
//
// Every host entry point runs on the host's user-interface thread; nothing
// here locks or blocks.
#pragma once

#include <string>

#include "AAX_CEffectGUI_VST.h"

class Orvanta_GUI : public AAX_CEffectGUI_VST {
public:
    // User-interface thread: the editor factory. A new editor with no
    // references: the host takes the first.
    static AAX_IEffectGUI* Create();

    Orvanta_GUI();
    // Closes an editor still open, then the base.
    ~Orvanta_GUI() override;

    // User-interface thread: the host reports a changed parameter; moves its
    // knob and rewrites its display. Always 0.
    AAX_Result ParameterUpdated(AAX_CParamID parameterID) override;

    // Routes a parameter to the panel's update of its knob and display; any
    // identifier the panel does not show (the master bypass) changes nothing.
    virtual AAX_Result UpdateParameter(const char* parameterID);
    // Linear: a plain drag moves a knob up and down (VSTGUI::kLinearMode).
    VSTGUI::int32 getKnobMode() const override;
    // Records an automation highlight (the panel draws none). Always 0.
    virtual AAX_Result SetControlHighliteInfo(int32_t unused, int16_t highlighted, int16_t color);
    bool IsHighlighted() const { return m_bHighlighted; }
    int16_t HighlightColor() const { return m_iHighlightColor; }

    // ---- where the bitmaps come from ----
    // The module's resource folder: found from the module binary's own path
    // (<bundle>/Contents/x86_64-linux/<binary> gives
    // <bundle>/Contents/Resources, or its "bitmaps" folder when that exists;
    // a "bitmaps" folder beside the binary, as in the LV2 bundle, comes first).
    static std::string ModuleResourceFolder();
    // The resource folder of the bundle that holds binaryPath.
    static std::string ResourceFolderForBinary(const std::string& binaryPath);
    // For programs that link the editor into themselves (tests): a folder
    // used when the module's resource folder does not exist. Empty clears it.
    static void SetFallbackResourceFolder(const std::string& folder);
    // The folder the toolkit loads bitmaps from after CreateViewContents.
    static std::string ResourceFolderInUse();

protected:
    // Points the toolkit at the module's resources and loads the bitmaps.
    void CreateViewContents() override;
    // Builds the panel in the native view.
    void CreateEffectView(void* nativeView) override;

private:
    bool m_bHighlighted = false;
    int16_t m_iHighlightColor = -1;
};
