// The effect description as the substitute host's recording objects see it:
// the call sequence (context fields included), every registration's
// property set, and what happens when the host cannot give the description
// what it needs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AAX_ICollection.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_VCollection.h"
#include "effect/description/Orvanta_Description.h"
#include "effect/dsp/Orvanta_AlgorithmProcess.h"
#include "effect/editor/Orvanta_GUI.h"
#include "effect/model/Orvanta_Parameters.h"
#include "host/objects/HostCollection.h"
#include "host/objects/HostRootObject.h"

namespace {

constexpr int32_t FourCC(const char (&code)[5]) {
    return static_cast<int32_t>(AAX_FourCC(code[0], code[1], code[2], code[3]));
}

// Describes the effect into a fresh host collection and returns what it recorded.
RecordedDescription Describe(AAX_Result* result = nullptr) {
    ACFPtr<HostRootObject> root = HostRootObject::Create();
    AAX_Result described;
    {
        AAX_VCollection collection(root.get());
        described = GetEffectDescriptions(&collection);
    }
    if (result) *result = described;
    return root->LastCollection()->Description();
}

TEST(EffectDescription, CollectionAndEffectCallsInOrder) {
    AAX_Result result = -1;
    const RecordedDescription description = Describe(&result);
    EXPECT_EQ(result, AAX_SUCCESS);

    // Everything but the property-map calls, whose effect the registration
    // table below checks: no other call (meters, MIDI nodes, properties of
    // the effect or the collection) is made.
    std::vector<std::string> calls;
    for (const RecordedCall& call : description.calls)
        if (call.object.rfind("map", 0) != 0 && call.operation.rfind("AddProcessProc", 0) != 0)
            calls.push_back(call.ToString());
    const std::vector<std::string> layout = {
        "component 1.Clear()",           "component 1.AddAudioIn(2)",
        "component 1.AddAudioOut(3)",    "component 1.AddAudioBufferLength(4)",
        "component 1.AddDataInPort(0, 20, 1)", "component 1.AddPrivateData(1, 568, 0)",
    };
    std::vector<std::string> expected = {
        "effect 1.AddName(\"Orvanta\")", "effect 1.AddName(\"Orvanta\")", "effect 1.AddName(\"Oz\")",
        "effect 1.AddCategory(64)"};
    for (int component = 0; component < 2; ++component) {
        expected.insert(expected.end(), layout.begin(), layout.end());
        expected.push_back("effect 1.AddComponent(component 1)");
    }
    for (const char* call : {"effect 1.AddProcPtr(set, 0)", "effect 1.AddResourceInfo(1, \"ZirorovAruva_d5.xml\")",
                             "effect 1.AddProcPtr(set, 1)", "collection.AddEffect(\"com.quillfern.aax.orvanta\", effect 1)",
                             "collection.SetManufacturerName(\"Quillfern\")", "collection.AddPackageName(\"Orvanta\")",
                             "collection.AddPackageName(\"Oq\")", "collection.SetPackageVersion(1)"})
        expected.push_back(call);
    EXPECT_EQ(calls, expected);
    for (const RecordedCall& call : description.calls) EXPECT_EQ(call.result, AAX_SUCCESS) << call.ToString();

    // The procedure pointers the calls above pass are the two factories.
    ASSERT_EQ(description.effects.size(), 1u);
    EXPECT_STREQ(rOrivazED_Urerira, "com.quillfern.aax.orvanta");
    EXPECT_EQ(description.effects[0].FindProcPtr(0), reinterpret_cast<void*>(&Orvanta_Parameters::Create));
    EXPECT_EQ(description.effects[0].FindProcPtr(1), reinterpret_cast<void*>(&Orvanta_GUI::Create));
}

// Every registration's property set: what the component shares, plus the
// rate pair, latency and (where present) the DSP buffer length.
TEST(EffectDescription, RegistrationsAlternateNativeAndDSPWithTheirPropertySets) {
    const RecordedPropertySet monoCommon = {{11, FourCC("QUIL")}, {12, FourCC("Orvn")}, {60, 1},   {51, 1},
                                            {52, 1},   {13, FourCC("OrvM")}, {15, FourCC("OrvT")}, {62, 364}, {63, 18718}};
    const RecordedPropertySet stereoCommon = {
        {11, FourCC("QUIL")}, {12, FourCC("Orvn")}, {60, 1},   {51, 0x10002}, {52, 0x10002}, {13, FourCC("OrvS")},
        {15, FourCC("OvTS")}, {62, 348},            {63, 33922}, {64, 30}};
    constexpr int kAbsent = -1;
    struct Registration { int component; bool native; int32_t rates, latency, dspBufferLength; };
    const Registration expected[] = {
        {0, true, 3, 7, kAbsent},    {0, false, 3, 7, 5},  {0, true, 12, 13, kAbsent}, {0, false, 12, 13, 5},
        {0, true, 48, 25, kAbsent},  {0, false, 48, 25, 5}, {1, true, 3, 6, kAbsent},  {1, false, 3, 6, 5},
        {1, true, 12, 12, 5},        {1, false, 12, 12, 5}, {1, true, 48, 24, 5},      {1, false, 48, 24, 5},
    };
    const RecordedEffect effect = Describe().effects.at(0);
    ASSERT_EQ(effect.components.size(), 2u);
    const AAX_CProcessProc callbacks[2] = {
        reinterpret_cast<AAX_CProcessProc>(&Orvanta_AlgorithmProcessFunction),
        reinterpret_cast<AAX_CProcessProc>(&Orvanta_AlgorithmProcessFunctionStereo)};
    const char* modules[2][2] = {{"Orvanta_Mono.dll", "AlgEntry"}, {"Orvanta_Stereo.dll", "AlgEntryStereo"}};

    size_t next[2] = {0, 0};
    for (const Registration& want : expected) {
        const RecordedComponent& component = effect.components[want.component];
        ASSERT_LT(next[want.component], component.processProcs.size());
        const RecordedProcessProc& got = component.processProcs[next[want.component]++];
        SCOPED_TRACE(testing::Message() << "component " << want.component << " rates " << want.rates
                                        << (want.native ? " native" : " DSP"));
        RecordedPropertySet properties = want.component == 0 ? monoCommon : stereoCommon;
        properties[58] = want.rates;
        properties[56] = want.latency;
        if (want.dspBufferLength != kAbsent) properties[54] = want.dspBufferLength;
        EXPECT_TRUE(got.hasProperties);
        EXPECT_EQ(got.properties, properties);
        EXPECT_EQ(got.instanceInitProc, nullptr);
        EXPECT_EQ(got.backgroundProc, nullptr);
        if (want.native) {
            EXPECT_EQ(got.kind, RecordedProcessProc::Kind::Native);
            EXPECT_EQ(got.processProc, callbacks[want.component]);
        } else {
            EXPECT_EQ(got.kind, RecordedProcessProc::Kind::DSP);
            EXPECT_EQ(got.dllFileName, modules[want.component][0]);
            EXPECT_EQ(got.processProcSymbol, modules[want.component][1]);
            EXPECT_EQ(got.instanceInitProcSymbol, "");
            EXPECT_EQ(got.backgroundProcSymbol, "");
        }
    }
    for (const RecordedComponent& component : effect.components) {
        EXPECT_EQ(component.processProcs.size(), 6u);
        EXPECT_EQ(component.fields.size(), 5u) << "each component holds its own fields (their calls: above)";
    }
}

// ---- a collection that cannot give the description what it needs ----

// Records every call; NewDescriptor and NewComponentDescriptor yield
// nothing when told to.
class ScriptedCollection : public AAX_ICollection, public AAX_IEffectDescriptor {
public:
    ScriptedCollection(bool yieldsDescriptor) : m_YieldsDescriptor(yieldsDescriptor) {}
    std::vector<std::string> calls;

    AAX_IEffectDescriptor* NewDescriptor() override {
        calls.push_back("NewDescriptor");
        return m_YieldsDescriptor ? this : nullptr;
    }
    AAX_Result AddEffect(const char*, AAX_IEffectDescriptor*) override { return Note("AddEffect"); }
    AAX_Result SetManufacturerName(const char* name) override { return Note("SetManufacturerName " + std::string(name)); }
    AAX_Result AddPackageName(const char* name) override { return Note("AddPackageName " + std::string(name)); }
    AAX_Result SetPackageVersion(uint32_t version) override {
        return Note("SetPackageVersion " + std::to_string(version));
    }
    AAX_IPropertyMap* NewPropertyMap() override { return nullptr; }
    AAX_Result SetProperties(AAX_IPropertyMap*) override { return Note("SetProperties"); }

    AAX_IComponentDescriptor* NewComponentDescriptor() override {
        calls.push_back("NewComponentDescriptor");
        return nullptr;
    }
    AAX_Result AddComponent(AAX_IComponentDescriptor*) override { return Note("AddComponent"); }
    AAX_Result AddName(const char*) override { return Note("AddName"); }
    AAX_Result AddCategory(uint32_t) override { return Note("AddCategory"); }
    AAX_Result AddCategoryBypassParameter(uint32_t, AAX_CParamID) override { return Note("AddCategoryBypass"); }
    AAX_Result AddProcPtr(void*, AAX_CProcPtrID) override { return Note("AddProcPtr"); }
    AAX_Result AddResourceInfo(AAX_EResourceType, const char*) override { return Note("AddResourceInfo"); }
    AAX_Result AddMeterDescription(AAX_CTypeID, const char*, AAX_IPropertyMap*) override { return Note("AddMeter"); }
    AAX_Result AddControlMIDINode(AAX_CTypeID, AAX_EMIDINodeType, const char*, uint32_t) override {
        return Note("AddControlMIDINode");
    }
    IACFUnknown* GetIUnknown() const override { return nullptr; }

private:
    AAX_Result Note(const std::string& call) {
        calls.push_back(call);
        return AAX_SUCCESS;
    }
    bool m_YieldsDescriptor;
};

TEST(EffectDescription, WithoutDescriptorsOnlyThePackageIsDescribed) {
    const std::vector<std::string> package = {"SetManufacturerName Quillfern", "AddPackageName Orvanta",
                                              "AddPackageName Oq", "SetPackageVersion 1"};
    struct Case { const char* name; bool yieldsEffectDescriptor; std::vector<std::string> creations; };
    const Case cases[] = {
        {"no effect descriptor", false, {"NewDescriptor"}},
        {"no component descriptor", true, {"NewDescriptor", "NewComponentDescriptor"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ScriptedCollection collection(test.yieldsEffectDescriptor);
        EXPECT_EQ(GetEffectDescriptions(&collection), AAX_ERROR_NULL_OBJECT);
        std::vector<std::string> expected = test.creations;
        expected.insert(expected.end(), package.begin(), package.end());
        EXPECT_EQ(collection.calls, expected);
    }
}

}  // namespace
