// The effect description as the substitute host records it, and what happens
// when the host cannot give the description what it needs.
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

// 64-bit FNV-1a: a stable fingerprint of the description's listing.
uint64_t Fingerprint(const std::string& text) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char byte : text) hash = (hash ^ byte) * 0x100000001b3ULL;
    return hash;
}

// Every call in order with its arguments and result; a registration's
// property set is rendered in its call, so the listing holds the identifiers,
// rates, latencies, layouts and module names. Printed when it changes.
TEST(EffectDescription, EveryCallMatchesTheStoredListing) {
    ACFPtr<HostRootObject> root = HostRootObject::Create();
    {
        AAX_VCollection collection(root.get());
        EXPECT_EQ(GetEffectDescriptions(&collection), AAX_SUCCESS);
    }
    const RecordedDescription description = root->LastCollection()->Description();
    std::string listing;
    for (const RecordedCall& call : description.calls)
        listing += call.ToString() + (call.result == AAX_SUCCESS ? "\n" : " -> " + std::to_string(call.result) + "\n");
    EXPECT_EQ(Fingerprint(listing), 0x8ADB3DAF33F79CA1ULL) << listing;

    // What the listing cannot show: the pointers handed over and the recorded result.
    ASSERT_EQ(description.effects.size(), 1u);
    const RecordedEffect& effect = description.effects[0];
    EXPECT_EQ(effect.FindProcPtr(0), reinterpret_cast<void*>(&Orvanta_Parameters::Create));
    EXPECT_EQ(effect.FindProcPtr(1), reinterpret_cast<void*>(&Orvanta_GUI::Create));
    ASSERT_EQ(effect.components.size(), 2u);
    const AAX_CProcessProc callbacks[2] = {
        reinterpret_cast<AAX_CProcessProc>(&Orvanta_AlgorithmProcessFunction),
        reinterpret_cast<AAX_CProcessProc>(&Orvanta_AlgorithmProcessFunctionStereo)};
    for (size_t c = 0; c < 2; ++c) {
        const RecordedComponent& component = effect.components[c];
        EXPECT_EQ(component.fields.size(), 5u) << "each component holds its own fields";
        ASSERT_EQ(component.processProcs.size(), 6u);
        for (const RecordedProcessProc& proc : component.processProcs) {
            if (proc.kind == RecordedProcessProc::Kind::Native) {
                EXPECT_EQ(proc.processProc, callbacks[c]);
            }
        }
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
