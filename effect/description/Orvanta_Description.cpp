#include "Orvanta_Description.h"

#include "AAX_ICollection.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"
#include "effect/Orvanta_Defs.h"
#include "effect/description/Orvanta_EditorFactory.h"
#include "effect/dsp/Orvanta_AlgorithmProcess.h"
#include "effect/model/Orvanta_Parameters.h"

const char* const rOrivazED_Urerira = "com.quillfern.aax.orvanta";

namespace {

constexpr const char* kShortEffectName = "Oz";
constexpr const char* kShortPackageName = "Oq";
constexpr uint32_t kPackageVersion = 1;
// The DSP block length the DSP registrations ask for (a power of two).
constexpr AAX_CPropertyValue kDSPBufferLengthLog2 = 5;

constexpr AAX_CPropertyValue FourCC(const char (&code)[5]) {
    return static_cast<AAX_CPropertyValue>(AAX_FourCC(code[0], code[1], code[2], code[3]));
}

// One step of filling a component's property map and registering its
// process procedures. The host reads the map at each registration, so the
// order of these steps decides every registration's property set.
struct ComponentStep {
    enum Kind { Add, Remove, RegisterNative, RegisterDSP } kind;
    AAX_EProperty property;
    AAX_CPropertyValue value;
};

constexpr ComponentStep Add(AAX_EProperty property, AAX_CPropertyValue value) {
    return {ComponentStep::Add, property, value};
}
constexpr ComponentStep Remove(AAX_EProperty property) { return {ComponentStep::Remove, property, 0}; }
constexpr ComponentStep kNative = {ComponentStep::RegisterNative, AAX_eProperty_NoID, 0};
constexpr ComponentStep kDSP = {ComponentStep::RegisterDSP, AAX_eProperty_NoID, 0};

// What differs between the mono and the stereo component.
struct ComponentRecipe {
    AAX_CProcessProc nativeProcess;
    const char* dspModule;
    const char* dspEntry;
    const ComponentStep* steps;
    size_t stepCount;
};

constexpr AAX_EProperty kRates = AAX_eProperty_SampleRate;
constexpr AAX_EProperty kLatency = AAX_eProperty_LatencyContribution;
constexpr AAX_EProperty kDSPBuffer = AAX_eProperty_DSP_AudioBufferLength;
constexpr AAX_CPropertyValue kRates44_48 = Orvanta::kSampleRateMask_44_48;
constexpr AAX_CPropertyValue kRates88_96 = Orvanta::kSampleRateMask_88_96;
constexpr AAX_CPropertyValue kRates176_192 = Orvanta::kSampleRateMask_176_192;

// Mono: every native registration goes without the DSP buffer length, every
// DSP registration with it.
constexpr ComponentStep kMonoSteps[] = {
    Add(AAX_eProperty_ManufacturerID, FourCC("QUIL")),
    Add(AAX_eProperty_ProductID, FourCC("Orvn")),
    Add(AAX_eProperty_CanBypass, 1),
    Add(AAX_eProperty_InputStemFormat, Orvanta::kStemFormat_Mono),
    Add(AAX_eProperty_OutputStemFormat, Orvanta::kStemFormat_Mono),
    Add(AAX_eProperty_PlugInID_Native, FourCC("OrvM")),
    Add(AAX_eProperty_TI_InstanceCycleCount, 18718),
    Add(AAX_eProperty_TI_SharedCycleCount, 364),
    Add(AAX_eProperty_PlugInID_TI, FourCC("OrvT")),
    Add(kRates, kRates44_48), Add(kLatency, 7), kNative, Remove(kDSPBuffer), Add(kDSPBuffer, kDSPBufferLengthLog2),
    kDSP, Remove(kRates), Remove(kDSPBuffer),
    Add(kRates, kRates88_96), Add(kLatency, 13), kNative, Remove(kDSPBuffer), Add(kDSPBuffer, kDSPBufferLengthLog2),
    kDSP, Remove(kRates), Remove(kDSPBuffer),
    Add(kRates, kRates176_192), Add(kLatency, 25), kNative, Remove(kDSPBuffer),
    Add(kDSPBuffer, kDSPBufferLengthLog2), kDSP, Remove(kRates), Remove(kDSPBuffer),
};

// Stereo: the DSP buffer length, once added, stays for the later pairs, so
// the native registrations at 88.2/96 and 176.4/192 kHz carry it too.
constexpr ComponentStep kStereoSteps[] = {
    Add(AAX_eProperty_ManufacturerID, FourCC("QUIL")),
    Add(AAX_eProperty_ProductID, FourCC("Orvn")),
    Add(AAX_eProperty_CanBypass, 1),
    Add(AAX_eProperty_InputStemFormat, Orvanta::kStemFormat_Stereo),
    Add(AAX_eProperty_OutputStemFormat, Orvanta::kStemFormat_Stereo),
    Add(AAX_eProperty_PlugInID_Native, FourCC("OrvS")),
    Add(AAX_eProperty_PlugInID_TI, FourCC("OvTS")),
    Add(AAX_eProperty_TI_InstanceCycleCount, 33922),
    Add(AAX_eProperty_TI_SharedCycleCount, 348),
    Add(AAX_eProperty_TI_MaxInstancesPerChip, 30),
    Add(kRates, kRates44_48), Add(kLatency, 6), kNative, Add(kDSPBuffer, kDSPBufferLengthLog2), kDSP,
    Remove(kRates),
    Add(kRates, kRates88_96), Add(kLatency, 12), kNative, kDSP, Remove(kRates),
    Add(kRates, kRates176_192), Add(kLatency, 24), kNative, Remove(kDSPBuffer),
    Add(kDSPBuffer, kDSPBufferLengthLog2), kDSP, Remove(kRates),
};

template <size_t N>
constexpr ComponentRecipe Recipe(AAX_CProcessProc process, const char* module, const char* entry,
                                 const ComponentStep (&steps)[N]) {
    return {process, module, entry, steps, N};
}

// The callbacks take the effect's own context type; the host calls them
// through the untyped process-procedure signature.
const ComponentRecipe kMonoRecipe =
    Recipe(reinterpret_cast<AAX_CProcessProc>(&Orvanta_AlgorithmProcessFunction), "Orvanta_Mono.dll",
           "AlgEntry", kMonoSteps);
const ComponentRecipe kStereoRecipe =
    Recipe(reinterpret_cast<AAX_CProcessProc>(&Orvanta_AlgorithmProcessFunctionStereo), "Orvanta_Stereo.dll",
           "AlgEntryStereo", kStereoSteps);

// The context fields, the same for both components: audio in, audio out,
// buffer length, the knob-packet port and the two channel-state records.
void DescribeContextFields(AAX_IComponentDescriptor& component) {
    component.AddAudioIn(Orvanta::kField_AudioIn);
    component.AddAudioOut(Orvanta::kField_AudioOut);
    component.AddAudioBufferLength(Orvanta::kField_BufferLength);
    component.AddDataInPort(Orvanta::kField_KnobPacket, Orvanta::kKnobPacketSize, AAX_eDataInPortType_Buffered);
    component.AddPrivateData(Orvanta::kField_PrivateData, Orvanta::kPrivateDataSize,
                             AAX_ePrivateDataOptions_DefaultOptions);
}

void RunComponentSteps(AAX_IComponentDescriptor& component, AAX_IPropertyMap& properties,
                       const ComponentRecipe& recipe) {
    for (size_t i = 0; i < recipe.stepCount; ++i) {
        const ComponentStep& step = recipe.steps[i];
        switch (step.kind) {
            case ComponentStep::Add: properties.AddProperty(step.property, step.value); break;
            case ComponentStep::Remove: properties.RemoveProperty(step.property); break;
            case ComponentStep::RegisterNative:
                component.AddProcessProc_Native(recipe.nativeProcess, &properties, nullptr, nullptr, nullptr);
                break;
            case ComponentStep::RegisterDSP:
                component.AddProcessProc_TI(recipe.dspModule, recipe.dspEntry, &properties, nullptr, nullptr,
                                            nullptr);
                break;
        }
    }
}

// A component without a property map keeps its layout and goes without
// properties and process procedures.
void DescribeAlgComponent(AAX_IComponentDescriptor* component, const ComponentRecipe& recipe) {
    DescribeContextFields(*component);
    AAX_IPropertyMap* properties = component->NewPropertyMap();
    if (!properties) return;
    RunComponentSteps(*component, *properties, recipe);
}

// Adds the effect's names, category, both components, factories and page
// table to a fresh effect descriptor; returns the result of adding the
// effect to the collection.
AAX_Result DescribeEffect(AAX_ICollection& collection, AAX_IEffectDescriptor& effect,
                          AAX_IComponentDescriptor& component) {
    effect.AddName(Orvanta::kProductName);
    effect.AddName(Orvanta::kProductName);
    effect.AddName(kShortEffectName);
    effect.AddCategory(AAX_ePlugInCategory_Harmonic);

    // One component descriptor serves both components: the host copies its
    // contents at each AddComponent.
    component.Clear();
    DescribeAlgComponentMono(&component);
    effect.AddComponent(&component);
    component.Clear();
    DescribeAlgComponentStereo(&component);
    effect.AddComponent(&component);

    effect.AddProcPtr(reinterpret_cast<void*>(&Orvanta_Parameters::Create), kAAX_ProcPtrID_Create_EffectParameters);
    effect.AddResourceInfo(AAX_eResourceType_PageTable, Orvanta::kPageTableFile);
    DescribeEditorFactory(effect);
    return collection.AddEffect(rOrivazED_Urerira, &effect);
}

// The maker and package data go to the host whether or not the effect could
// be described.
void DescribePackage(AAX_ICollection& collection) {
    collection.SetManufacturerName(Orvanta::kManufacturerName);
    collection.AddPackageName(Orvanta::kProductName);
    collection.AddPackageName(kShortPackageName);
    collection.SetPackageVersion(kPackageVersion);
}

}  // namespace

void DescribeAlgComponentMono(AAX_IComponentDescriptor* component) { DescribeAlgComponent(component, kMonoRecipe); }

void DescribeAlgComponentStereo(AAX_IComponentDescriptor* component) {
    DescribeAlgComponent(component, kStereoRecipe);
}

AAX_Result GetEffectDescriptions(AAX_ICollection* collection) {
    if (!collection) return AAX_ERROR_NULL_OBJECT;
    AAX_Result result = AAX_ERROR_NULL_OBJECT;
    AAX_IEffectDescriptor* effect = collection->NewDescriptor();
    AAX_IComponentDescriptor* component = effect ? effect->NewComponentDescriptor() : nullptr;
    if (effect && component) result = DescribeEffect(*collection, *effect, *component);
    DescribePackage(*collection);
    return result;
}
