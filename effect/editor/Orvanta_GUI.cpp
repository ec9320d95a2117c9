#include "Orvanta_GUI.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "ModuleBundle.h"
#include "Orvanta_View.h"
#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "toolkit/CResourceBundle.h"

namespace {

bool IsDirectory(const std::string& path) {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ParentFolder(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The bundle the toolkit reads from; one per module.
VSTGUI::CResourceBundle& ModuleBundle() {
    static VSTGUI::CResourceBundle bundle;
    return bundle;
}

std::string& FallbackFolder() {
    static std::string folder;
    return folder;
}

}  // namespace

AAX_IEffectGUI* Orvanta_GUI::Create() { return new Orvanta_GUI; }

Orvanta_GUI::Orvanta_GUI() = default;

Orvanta_GUI::~Orvanta_GUI() { DeleteViewContainer(); }

std::string Orvanta_GUI::ModuleResourceFolder() {
    // The address of a function of this module names the binary it lives in.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Orvanta_GUI::Create), &info) == 0 || !info.dli_fname) return "";
    char* resolved = realpath(info.dli_fname, nullptr);
    if (!resolved) return "";
    const std::string binary(resolved);
    std::free(resolved);
    return ResourceFolderForBinary(binary);
}

std::string Orvanta_GUI::ResourceFolderForBinary(const std::string& binaryPath) {
    // A flat bundle (the LV2 one) keeps the bitmaps beside the binary.
    const std::string besideBinary = ParentFolder(binaryPath) + "/" + Orvanta::kBundleBitmapFolder;
    if (IsDirectory(besideBinary)) return besideBinary;
    // <bundle>/Contents/x86_64-linux/<binary>: the bundle is three folders up.
    const std::string bundle = ParentFolder(ParentFolder(ParentFolder(binaryPath)));
    const std::string resources = bundle + "/" + BundleLayout::kResourceFolder;
    const std::string bitmaps = resources + "/" + Orvanta::kBundleBitmapFolder;
    return IsDirectory(bitmaps) ? bitmaps : resources;
}

void Orvanta_GUI::SetFallbackResourceFolder(const std::string& folder) { FallbackFolder() = folder; }

std::string Orvanta_GUI::ResourceFolderInUse() { return ModuleBundle().getResourceFolder(); }

void Orvanta_GUI::CreateViewContents() {
    std::string folder = ModuleResourceFolder();
    if (!IsDirectory(folder) && !FallbackFolder().empty()) folder = FallbackFolder();
    ModuleBundle().setResourceFolder(folder);
    VSTGUI::gBundleRef = &ModuleBundle();
    Orvanta_View::LoadViewResources();
}

void Orvanta_GUI::CreateEffectView(void* nativeView) {
    frame = new Orvanta_View(nativeView, GetEffectParameters(), this, GetViewContainer());
}

AAX_Result Orvanta_GUI::ParameterUpdated(AAX_CParamID parameterID) {
    UpdateParameter(parameterID);
    return AAX_SUCCESS;
}

AAX_Result Orvanta_GUI::UpdateParameter(const char* parameterID) {
    auto* view = dynamic_cast<Orvanta_View*>(getFrame());
    if (!view || !parameterID) return AAX_SUCCESS;
    const struct {
        const char* parameterID;
        void (Orvanta_View::*update)();
    } routes[] = {
        {Orvanta::kParamID_Harmonic, &Orvanta_View::updateInputTrim},
        {Orvanta::kParamID_OutputTrim, &Orvanta_View::updateOutputTrim},
        {Orvanta::kParamID_Dynamic, &Orvanta_View::updateProcess},
        {Orvanta::kParamID_Dither, &Orvanta_View::updateBrightness},
        {Orvanta::kParamID_Color, &Orvanta_View::updateType},
    };
    for (const auto& route : routes) {
        if (std::strcmp(parameterID, route.parameterID) == 0) {
            (view->*route.update)();
            break;
        }
    }
    return AAX_SUCCESS;
}

VSTGUI::int32 Orvanta_GUI::getKnobMode() const { return VSTGUI::kLinearMode; }

AAX_Result Orvanta_GUI::SetControlHighliteInfo(int32_t, int16_t highlighted, int16_t color) {
    m_bHighlighted = highlighted != 0;
    m_iHighlightColor = m_bHighlighted ? color : -1;
    return AAX_SUCCESS;
}
