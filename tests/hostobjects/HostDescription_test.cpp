// The substitute host's description objects: what they record, and that
// every object they create is released again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AAX_UIDs.h"
#include "host/objects/HostCollection.h"
#include "host/objects/HostComponentDescriptor.h"
#include "host/objects/HostEffectDescriptor.h"
#include "host/objects/HostPropertyMap.h"
#include "host/objects/HostRootObject.h"

namespace {

void MonoProcess(void* const[], const void*) {}
void OtherProcess(void* const[], const void*) {}
IACFUnknown* CreateModel() { return nullptr; }

class HostDescription : public ::testing::Test {
protected:
    const acfUInt32 m_LiveBefore = HostObjectBase::LiveObjects();
    void TearDown() override { EXPECT_EQ(HostObjectBase::LiveObjects(), m_LiveBefore); }
};

TEST_F(HostDescription, PropertyMapAddsReplacesRemovesAndReads) {
    ACFPtr<HostPropertyMap> map = HostPropertyMap::Create();
    struct Step { bool add; int32_t id; int32_t value; RecordedPropertySet expected; };
    const Step steps[] = {
        {true, 58, 3, {{58, 3}}},
        {true, 56, 7, {{56, 7}, {58, 3}}},
        {true, 56, 13, {{56, 13}, {58, 3}}},  // replaces
        {false, 54, 0, {{56, 13}, {58, 3}}},  // removing an absent id changes nothing
        {false, 58, 0, {{56, 13}}},
    };
    for (const Step& s : steps) {
        const AAX_EProperty id = static_cast<AAX_EProperty>(s.id);
        EXPECT_EQ(s.add ? map->AddProperty(id, s.value) : map->RemoveProperty(id), AAX_SUCCESS);
        EXPECT_EQ(map->Properties(), s.expected) << (s.add ? "add " : "remove ") << s.id;
    }
    AAX_CPropertyValue value = 0;
    EXPECT_TRUE(map->GetProperty(static_cast<AAX_EProperty>(56), &value));
    EXPECT_EQ(value, 13);
    EXPECT_FALSE(map->GetProperty(static_cast<AAX_EProperty>(58), &value));

    const AAX_SPlugInIdentifierTriad triads[2] = {{1, 2, 3}, {4, 5, 6}};
    EXPECT_EQ(map->AddPropertyWithIDArray(AAX_eProperty_ManufacturerID, triads, 2), AAX_SUCCESS);
    EXPECT_EQ(map->AddPropertyWithIDArray(AAX_eProperty_ProductID, nullptr, 1), AAX_ERROR_NULL_OBJECT);
    const AAX_SPlugInIdentifierTriad* read = nullptr;
    uint32_t count = 0;
    ASSERT_TRUE(map->GetPropertyWithIDArray(AAX_eProperty_ManufacturerID, &read, &count));
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(read[1].mPlugInID, 6u);
}

TEST_F(HostDescription, ComponentRecordsFieldsAndProcessProceduresWithThePropertiesOfTheirMoment) {
    HostCallLogPtr log = std::make_shared<HostCallLog>();
    ACFPtr<HostComponentDescriptor> component = HostComponentDescriptor::Create(HostInterfaceLevel::Version2, log);
    ACFPtr<HostPropertyMap> map = HostPropertyMap::Create(HostInterfaceLevel::Version2, log);

    EXPECT_EQ(component->AddAudioIn(2), AAX_SUCCESS);
    EXPECT_EQ(component->AddDataInPort(0, 20, AAX_eDataInPortType_Buffered), AAX_SUCCESS);
    EXPECT_EQ(component->AddPrivateData(1, 568, 0), AAX_SUCCESS);
    EXPECT_EQ(component->AddAudioOut(2), AAX_ERROR_INVALID_PARAMETER_ID);  // field 2 is taken
    EXPECT_EQ(component->AddPrivateData(7, -1, 0), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(component->AddProcessProc_Native(nullptr, nullptr, nullptr, nullptr, nullptr), AAX_ERROR_NULL_OBJECT);

    AAX_CSelector ids[4] = {};
    map->AddProperty(AAX_eProperty_SampleRate, 3);
    EXPECT_EQ(component->AddProcessProc_Native(&MonoProcess, map->Identity(), nullptr, nullptr, &ids[0]), AAX_SUCCESS);
    map->AddProperty(AAX_eProperty_DSP_AudioBufferLength, 5);
    EXPECT_EQ(component->AddProcessProc_TI("M.dll", "AlgEntry", map->Identity(), nullptr, nullptr, &ids[1]), AAX_SUCCESS);
    map->AddProperty(AAX_eProperty_SampleRate, 12);
    map->RemoveProperty(AAX_eProperty_DSP_AudioBufferLength);
    EXPECT_EQ(component->AddProcessProc_Native(&MonoProcess, map->Identity(), nullptr, nullptr, &ids[2]), AAX_SUCCESS);
    EXPECT_EQ(component->AddProcessProc_Native(&OtherProcess, nullptr, nullptr, nullptr, &ids[3]), AAX_SUCCESS);

    const RecordedComponent& recorded = component->Current();
    ASSERT_EQ(recorded.fields.size(), 3u);
    ASSERT_NE(recorded.FindField(0), nullptr);
    EXPECT_EQ(recorded.FindField(0)->kind, RecordedField::Kind::DataInPort);
    EXPECT_EQ(recorded.FindField(0)->size, 20u);
    EXPECT_EQ(recorded.FindField(1)->size, 568u);
    EXPECT_EQ(recorded.FindField(9), nullptr);

    // The properties of each registration's moment: the effect's whole
    // description in tests/module/test_description.cpp.
    ASSERT_EQ(recorded.processProcs.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(recorded.processProcs[i].procID, ids[i]) << i;
        for (size_t j = 0; j < i; ++j) EXPECT_NE(ids[i], ids[j]);
    }
    EXPECT_EQ(recorded.processProcs[0].properties, (RecordedPropertySet{{58, 3}}));
    EXPECT_FALSE(recorded.processProcs[3].hasProperties);
    EXPECT_EQ(recorded.FindNativeProc(AAX_eSampleRateMask_96000, AAX_eStemFormat_Mono), &recorded.processProcs[2]);
    EXPECT_EQ(recorded.FindNativeProc(AAX_eSampleRateMask_176400, AAX_eStemFormat_Mono), nullptr);

    EXPECT_EQ(component->Clear(), AAX_SUCCESS);
    EXPECT_TRUE(component->Current().fields.empty());
    EXPECT_TRUE(component->Current().processProcs.empty());

    // The log holds every call of both objects, in order, rendered with arguments.
    const std::vector<RecordedCall>& calls = log->Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[3].result, AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(calls[6].ToString(), "map 1.AddProperty(58, 3)");
    EXPECT_EQ(calls[7].ToString(), "component 1.AddProcessProc_Native(set, map 1 {58=3}, null, null, set)");
    EXPECT_EQ(calls.back().ToString(), "component 1.Clear()");
}

TEST_F(HostDescription, EffectAndCollectionKeepTheStateOfTheirMoment) {
    ACFPtr<HostRootObject> root = HostRootObject::Create();
    auto create = [&](const acfCLSID& clsid) {
        void* out = nullptr;
        EXPECT_EQ(root->Factory()->CreateComponent(clsid, nullptr, IID_IACFUnknown, &out), ACF_OK);
        ACFPtr<IACFUnknown> object;
        object.attach(static_cast<IACFUnknown*>(out));
        return object;
    };
    ACFPtr<AAX_IACFCollection> collection(IID_IAAXCollectionV1, create(AAXCompID_AAXCollection).get());
    ACFPtr<AAX_IACFEffectDescriptor> effect(IID_IAAXEffectDescriptorV1, create(AAXCompID_AAXEffectDescriptor).get());
    ACFPtr<AAX_IACFComponentDescriptor> component(IID_IAAXComponentDescriptorV1,
                                                  create(AAXCompID_AAXComponentDescriptor).get());
    ASSERT_TRUE(collection && effect && component);

    component->AddAudioIn(2);
    EXPECT_EQ(effect->AddComponent(component.get()), AAX_SUCCESS);
    component->Clear();
    component->AddAudioIn(2);
    component->AddAudioOut(3);
    EXPECT_EQ(effect->AddComponent(component.get()), AAX_SUCCESS);
    EXPECT_EQ(effect->AddComponent(nullptr), AAX_ERROR_NULL_OBJECT);
    effect->AddName("Orvanta");
    effect->AddProcPtr(reinterpret_cast<void*>(&CreateModel), kAAX_ProcPtrID_Create_EffectParameters);
    EXPECT_EQ(collection->AddEffect("com.example.aax.first", effect.get()), AAX_SUCCESS);
    effect->AddName("late");  // after AddEffect: not part of the added effect
    EXPECT_EQ(collection->AddEffect("com.example.aax.null", nullptr), AAX_ERROR_NULL_OBJECT);

    HostCollection* host = root->LastCollection();
    ASSERT_NE(host, nullptr);
    EXPECT_TRUE(host->Is(collection.get()));
    const RecordedDescription description = host->Description();
    ASSERT_EQ(description.effects.size(), 1u);
    const RecordedEffect* recorded = description.FindEffect("com.example.aax.first");
    ASSERT_NE(recorded, nullptr);
    EXPECT_EQ(recorded->names, std::vector<std::string>{"Orvanta"});
    ASSERT_EQ(recorded->components.size(), 2u);
    EXPECT_EQ(recorded->components[0].fields.size(), 1u);
    EXPECT_EQ(recorded->components[1].fields.size(), 2u);
    EXPECT_EQ(recorded->FindProcPtr(0), reinterpret_cast<void*>(&CreateModel));
    EXPECT_EQ(recorded->FindProcPtr(1), nullptr);
    EXPECT_EQ(description.calls.front().object, "component 1");
    EXPECT_EQ(description.calls.back().ToString(), "collection.AddEffect(\"com.example.aax.null\", null)");
}

TEST_F(HostDescription, CollectionAnswersThePluginDefinitionAndKeepsAttributes) {
    ACFPtr<HostCollection> collection = HostCollection::Create();
    ACFPtr<IACFPluginDefinition> definition(IID_IACFPluginDefinition, collection->Identity());
    ASSERT_TRUE(definition);
    EXPECT_TRUE(collection->Is(definition.get()));

    const acfUID name = {1, 2, 3, 4};
    const char text[] = "Orvanta";
    EXPECT_EQ(definition->DefineAttribute(name, kACFAttrType_String, text, sizeof text), ACF_OK);
    acfUInt32 type = 0, size = 0;
    EXPECT_EQ(definition->GetAttributeInfo(name, &type, &size), ACF_OK);
    EXPECT_EQ(type, acfUInt32(kACFAttrType_String));
    EXPECT_EQ(size, sizeof text);
    char copy[16] = {};
    EXPECT_EQ(definition->CopyAttribute(name, kACFAttrType_String, copy, 4), ACF_E_INVALIDARG);  // too small
    EXPECT_EQ(definition->CopyAttribute(name, kACFAttrType_UInt32, copy, 16), ACF_E_INVALIDARG);  // wrong type
    EXPECT_EQ(definition->CopyAttribute(name, kACFAttrType_String, copy, 16), ACF_OK);
    EXPECT_STREQ(copy, "Orvanta");
    EXPECT_EQ(definition->GetAttributeInfo({9, 9, 9, 9}, &type, &size), ACF_E_INVALIDARG);

    ACFPtr<HostCollection> closed = HostCollection::Create(HostInterfaceLevel::Version2, nullptr, false);
    EXPECT_FALSE(ACFPtr<IACFPluginDefinition>(IID_IACFPluginDefinition, closed->Identity()));
    EXPECT_TRUE(ACFPtr<AAX_IACFCollection>(IID_IAAXCollectionV1, closed->Identity()));
}

TEST_F(HostDescription, FactoryCreatesKnownClassesOnly) {
    ACFPtr<HostComponentFactory> factory = HostComponentFactory::Create();
    struct Case { const char* name; acfCLSID clsid; acfIID iid; ACFRESULT expected; };
    const Case cases[] = {
        {"collection", AAXCompID_AAXCollection, IID_IAAXCollectionV1, ACF_OK},
        {"effect", AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV2, ACF_OK},
        {"component", AAXCompID_AAXComponentDescriptor, IID_IAAXComponentDescriptorV1, ACF_OK},
        {"map", AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV2, ACF_OK},
        {"services", AAXCompID_HostServices, IID_IAAXHostServicesV1, ACF_OK},
        {"wrong interface", AAXCompID_AAXPropertyMap, IID_IAAXControllerV1, ACF_E_NOINTERFACE},
        {"unknown class", {5, 6, 7, 8}, IID_IACFUnknown, ACF_E_CLASSNOTREG},
    };
    for (const Case& c : cases) {
        const acfUInt32 live = HostObjectBase::LiveObjects();
        void* out = reinterpret_cast<void*>(0x1);
        EXPECT_EQ(factory->CreateComponent(c.clsid, nullptr, c.iid, &out), c.expected) << c.name;
        if (c.expected == ACF_OK) {
            ASSERT_NE(out, nullptr) << c.name;
            static_cast<IACFUnknown*>(out)->Release();
        } else {
            EXPECT_EQ(out, nullptr) << c.name;
        }
        // The factory keeps the collections it creates; every other object is gone with its reference.
        EXPECT_EQ(HostObjectBase::LiveObjects(), live + (c.clsid == AAXCompID_AAXCollection ? 1 : 0)) << c.name;
    }
    EXPECT_EQ(factory->Collections().size(), 1u);
}

TEST(RecordedDescription, SampleRateMaskBits) {
    const std::pair<double, uint32_t> cases[] = {
        {44100.0, 1}, {48000.0, 2}, {88200.0, 4}, {96000.0, 8}, {176400.0, 16}, {192000.0, 32}, {22050.0, 0}, {0.0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(SampleRateMaskBit(c.first), c.second) << c.first;
}

}  // namespace
