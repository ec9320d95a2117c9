#include "PluginModule.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "AAX.h"
#include "ModuleBundle.h"
#include "host/objects/HostCollection.h"
#include "host/objects/HostComponentFactory.h"
#include "host/runtime/ElfImageCheck.h"

namespace {

bool IsDirectory(const std::string& path) {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path) {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ParentFolder(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string Hex(int32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

void SetError(std::string* error, const std::string& message) {
    if (error) *error = message;
}

// The binary inside a bundle folder: Contents/x86_64-linux/<bundle name
// without its extension>.so.
std::string BundleBinary(const std::string& bundle) {
    std::string stem = BaseName(bundle);
    const size_t dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0) stem.resize(dot);
    return bundle + "/" + BundleLayout::kBinaryFolder + "/" + stem + ".so";
}

// The bundle folder that holds a module binary, if it sits where a bundle
// keeps it; empty otherwise.
std::string BundleOfBinary(const std::string& binary) {
    const std::string binaryFolder = ParentFolder(binary);
    const std::string bundle = ParentFolder(ParentFolder(binaryFolder));
    return binaryFolder == bundle + "/" + BundleLayout::kBinaryFolder ? bundle : "";
}

std::string ResourceFolderOf(const std::string& bundle) {
    return bundle.empty() ? "" : bundle + "/" + BundleLayout::kResourceFolder;
}

std::string ExecutableFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "";
    return ParentFolder(std::string(path, static_cast<size_t>(length)));
}

template <class Proc>
bool LookUp(void* handle, const char* name, Proc* out, std::string* error) {
    *out = reinterpret_cast<Proc>(dlsym(handle, name));
    if (*out) return true;
    SetError(error, std::string("not a plug-in module: no entry point ") + name);
    return false;
}

}  // namespace

std::unique_ptr<PluginModule> PluginModule::LoadBundle(const std::string& path, std::string* error) {
    const std::string given = WithoutTrailingSlashes(path);
    const bool isBundle = IsDirectory(given);
    const std::string binary = isBundle ? BundleBinary(given) : given;
    if (!IsFile(binary)) {
        SetError(error, isBundle ? "no module binary in bundle " + given + " (looked for " + binary + ")"
                                 : "no such plug-in: " + given);
        return nullptr;
    }
    // dlopen trusts the headers it maps: a truncated binary would crash it.
    if (const std::string problem = ElfImageProblem(binary); !problem.empty()) {
        SetError(error, "not a loadable plug-in module: " + binary + ": " + problem);
        return nullptr;
    }
    // Local binding keeps the module's symbols to itself; RTLD_NOW reports a
    // missing library now rather than at the first call.
    void* handle = dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        SetError(error, "cannot load " + binary + ": " + (reason ? reason : "unknown reason"));
        return nullptr;
    }
    EntryPoints entry;
    const bool complete = LookUp(handle, "ACFGetSDKVersion", &entry.getSDKVersion, error) &&
                          LookUp(handle, "ACFStartup", &entry.startup, error) &&
                          LookUp(handle, "ACFRegisterPlugin", &entry.registerPlugin, error) &&
                          LookUp(handle, "ACFRegisterComponent", &entry.registerComponent, error) &&
                          LookUp(handle, "ACFGetClassFactory", &entry.getClassFactory, error) &&
                          LookUp(handle, "ACFCanUnloadNow", &entry.canUnloadNow, error) &&
                          LookUp(handle, "ACFShutdown", &entry.shutdown, error);
    if (!complete) {
        dlclose(handle);
        return nullptr;
    }
    const std::string bundle = isBundle ? given : BundleOfBinary(binary);
    return Load(std::unique_ptr<PluginModule>(new PluginModule(handle, entry, binary, ResourceFolderOf(bundle))),
                error);
}

std::unique_ptr<PluginModule> PluginModule::LoadLinked(const EntryPoints& entry, const std::string& bundle,
                                                       std::string* error) {
    return Load(std::unique_ptr<PluginModule>(new PluginModule(nullptr, entry, "(linked)", ResourceFolderOf(bundle))),
                error);
}

std::string PluginModule::DefaultBundlePath(const std::string& bundleName) {
    // Build tree: the bundle sits at the top of the build folder, one or two
    // levels above the programs. Installed: <prefix>/lib/aax next to <prefix>/bin.
    std::string folder = ExecutableFolder();
    for (int level = 0; level < 3 && !folder.empty(); ++level) {
        folder = ParentFolder(folder);
        for (const std::string& candidate : {folder + "/" + bundleName, folder + "/lib/aax/" + bundleName}) {
            if (IsFile(BundleBinary(candidate))) return candidate;
        }
        if (folder == "/") break;
    }
    return "";
}

const std::vector<float>& PluginModule::HostSampleRates() {
    static const std::vector<float> rates = {44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f};
    return rates;
}

std::vector<float> PluginModule::SupportedSampleRates(int32_t stemFormat) const {
    std::vector<float> rates;
    const RecordedComponent* component = ComponentForStemFormat(stemFormat);
    if (!component) return rates;
    for (float rate : HostSampleRates())
        if (NativeProcessProc(*component, rate)) rates.push_back(rate);
    return rates;
}

std::unique_ptr<PluginModule> PluginModule::Load(std::unique_ptr<PluginModule> module, std::string* error) {
    // On failure the module's destructor shuts down and unloads what was started.
    if (!module->Start(error)) return nullptr;
    return module;
}

PluginModule::PluginModule(void* handle, const EntryPoints& entryPoints, std::string origin,
                           std::string resourceDirectory)
    : m_Handle(handle), m_Entry(entryPoints), m_Origin(std::move(origin)),
      m_ResourceDirectory(std::move(resourceDirectory)) {}

bool PluginModule::Start(std::string* error) {
    acfUInt64 version = 0;
    const ACFRESULT versionResult = m_Entry.getSDKVersion(&version);
    if (versionResult != ACF_OK) {
        SetError(error, m_Origin + ": ACFGetSDKVersion failed with " + Hex(versionResult));
        return false;
    }
    m_SDKVersion = version;
    if ((version >> 40) != kSupportedSDKMajorVersion) {
        char text[32];
        std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(version));
        SetError(error, m_Origin + ": unsupported interface-library version " + text);
        return false;
    }

    m_Root = HostRootObject::Create();
    const ACFRESULT started = m_Entry.startup(m_Root.get());
    m_Started = true;  // a failed start-up is still shut down
    if (started != ACF_OK) {
        SetError(error, m_Origin + ": ACFStartup failed with " + Hex(started));
        return false;
    }

    IACFPluginDefinition* definition = nullptr;
    const ACFRESULT registered = m_Entry.registerPlugin(m_Root.get(), &definition);
    m_Definition.attach(registered == ACF_OK ? definition : nullptr);
    if (registered != ACF_OK || !definition) {
        SetError(error, m_Origin + ": ACFRegisterPlugin failed with " + Hex(registered));
        return false;
    }
    HostCollection* collection = m_Root->Factory()->CollectionFor(definition);
    if (!collection) {
        SetError(error, m_Origin + ": the plug-in definition is not the host's collection");
        return false;
    }
    m_Description = collection->Description();
    if (m_Description.effects.empty()) {
        SetError(error, m_Origin + ": the module describes no effect");
        return false;
    }
    return true;
}

PluginModule::~PluginModule() {
    m_Definition.reset();
    int32_t alive = 0;
    if (m_Started) {
        alive = LiveObjects();
        if (alive != 0)
            std::cerr << "orvanta: " << alive << " object(s) of plug-in module " << m_Origin
                      << " still alive at unload; the module stays loaded\n";
        m_Entry.shutdown(m_Root.get());
    }
    m_Root.reset();
    if (m_Handle && alive == 0) dlclose(m_Handle);
}

const RecordedComponent* PluginModule::ComponentForStemFormat(int32_t stemFormat) const {
    for (const RecordedComponent& component : Effect().components)
        if (component.FindNativeProc(AAX_eSampleRateMask_All, stemFormat)) return &component;
    return nullptr;
}

void* PluginModule::NativeProcessProc(const RecordedComponent& component, float sampleRate) const {
    const uint32_t rateBit = SampleRateMaskBit(sampleRate);
    if (rateBit == 0) return nullptr;
    for (const RecordedProcessProc& registration : component.processProcs)
        if (registration.kind == RecordedProcessProc::Kind::Native && (registration.SampleRateMask() & rateBit))
            return reinterpret_cast<void*>(registration.processProc);
    return nullptr;
}

void* PluginModule::ProcPtr(int32_t id) const { return Effect().FindProcPtr(id); }

IACFUnknown* PluginModule::CreateObject(int32_t procID) const {
    // The factories return the effect's object, whose first base is its
    // host interface: the same address serves as its IACFUnknown.
    auto create = reinterpret_cast<AAX_CCreateObjectProc>(ProcPtr(procID));
    if (!create) return nullptr;
    IACFUnknown* object = create();
    if (object) object->AddRef();
    return object;
}

IACFUnknown* PluginModule::CreateDataModel() const { return CreateObject(kAAX_ProcPtrID_Create_EffectParameters); }

IACFUnknown* PluginModule::CreateEditor() const { return CreateObject(kAAX_ProcPtrID_Create_EffectGUI); }

int32_t PluginModule::LiveObjects() const { return m_Entry.canUnloadNow(m_Root.get()); }
