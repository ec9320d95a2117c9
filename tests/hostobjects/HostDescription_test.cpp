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

class HostDescription : public ::testing::Test {
protected:
    const acfUInt32 m_LiveBefore = HostObjectBase::LiveObjects();
    void TearDown() override { EXPECT_EQ(HostObjectBase::LiveObjects(), m_LiveBefore); }
};

// What the component records, at the effect's registrations: tests/module/test_description.cpp.
TEST_F(HostDescription, ComponentRefusesATakenFieldANegativeSizeAndANullProcedure) {
    ACFPtr<HostComponentDescriptor> component = HostComponentDescriptor::Create();
    EXPECT_EQ(component->AddAudioIn(2), AAX_SUCCESS);
    EXPECT_EQ(component->AddAudioOut(2), AAX_ERROR_INVALID_PARAMETER_ID);  // field 2 is taken
    EXPECT_EQ(component->AddPrivateData(7, -1, 0), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(component->AddProcessProc_Native(nullptr, nullptr, nullptr, nullptr, nullptr), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ(component->Current().fields.size(), 1u);
    EXPECT_TRUE(component->Current().processProcs.empty());
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

}  // namespace
