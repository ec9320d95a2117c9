// The description wrappers over the substitute host's description objects:
// creation through the factory, the Missing codes, ownership and teardown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"
#include "AAX_VCollection.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "host/objects/HostRootObject.h"

namespace {

constexpr AAX_Result kOK = AAX_SUCCESS;
constexpr AAX_Result kNull = AAX_ERROR_NULL_OBJECT;
constexpr AAX_Result kUnimpl = AAX_ERROR_UNIMPLEMENTED;

void Process(void* const[], const void*) {}
IACFUnknown* Factory() { return nullptr; }

class DescriptionWrappers : public ::testing::Test {
protected:
    const acfUInt32 m_LiveBefore = HostObjectBase::LiveObjects();
    void TearDown() override { EXPECT_EQ(HostObjectBase::LiveObjects(), m_LiveBefore); }
};

TEST_F(DescriptionWrappers, EachInterfaceVersionAnswersItsOperationsOrTheMissingCodes) {
    // What is added reads back; what is refused does not.
    struct Case { const char* name; HostInterfaceLevel level; AAX_Result add, addArray, versionTwo, addName; };
    const Case cases[] = {
        {"full", HostInterfaceLevel::Version2, kOK, kOK, kOK, kOK},
        {"version 1 only", HostInterfaceLevel::Version1, kOK, kUnimpl, kUnimpl, kOK},
        {"no interface", HostInterfaceLevel::None, kNull, kUnimpl, kUnimpl, kNull},
    };
    const AAX_SPlugInIdentifierTriad triad{1, 2, 3};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostFactoryOptions options;
        options.propertyMap = options.effectDescriptor = options.componentDescriptor = c.level;
        ACFPtr<HostRootObject> root = HostRootObject::Create(HostInterfaceLevel::Version2, options);
        AAX_VPropertyMap map(root->Identity());
        EXPECT_EQ(map.GetIUnknown() != nullptr, c.level != HostInterfaceLevel::None);
        EXPECT_EQ(map.AddProperty(AAX_eProperty_SampleRate, 3), c.add);
        AAX_CPropertyValue value = -1;
        EXPECT_EQ(bool(map.GetProperty(AAX_eProperty_SampleRate, &value)), c.add == kOK);
        EXPECT_EQ(map.RemoveProperty(AAX_eProperty_SampleRate), c.add);
        EXPECT_EQ(map.AddPropertyWithIDArray(AAX_eProperty_ManufacturerID, &triad, 1), c.addArray);
        const AAX_SPlugInIdentifierTriad* ids = nullptr;
        uint32_t count = 0;
        EXPECT_EQ(bool(map.GetPropertyWithIDArray(AAX_eProperty_ManufacturerID, &ids, &count)), c.addArray == kOK);

        AAX_VCollection collection(root->Identity());
        AAX_IEffectDescriptor* effect = collection.NewDescriptor();
        AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
        EXPECT_EQ(effect->AddControlMIDINode(1, AAX_eMIDINodeType_Global, "x", 1), c.versionTwo);
        EXPECT_EQ(component->AddTemporaryData(5, 4), c.versionTwo);
        EXPECT_EQ(effect->AddName("Orvanta"), c.addName);
    }
}

TEST_F(DescriptionWrappers, EveryWrapperOfAHostWithoutFactoryIsEmptyButUsable) {
    for (HostInterfaceLevel rootLevel : {HostInterfaceLevel::None, HostInterfaceLevel::Version2}) {
        HostFactoryOptions options;  // with a factory: every class created without its interface
        options.collection = options.effectDescriptor = options.componentDescriptor = options.propertyMap =
            HostInterfaceLevel::None;
        ACFPtr<HostRootObject> root = HostRootObject::Create(rootLevel, options);
        for (IACFUnknown* rootObject : {root->Identity(), static_cast<IACFUnknown*>(nullptr)}) {
            AAX_VCollection collection(rootObject);
            EXPECT_EQ(collection.GetIUnknown(), nullptr);
            AAX_IEffectDescriptor* effect = collection.NewDescriptor();
            ASSERT_NE(effect, nullptr);
            AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
            ASSERT_NE(component, nullptr);
            AAX_IPropertyMap* map = component->NewPropertyMap();
            ASSERT_NE(map, nullptr);
            EXPECT_EQ(collection.AddEffect("id", effect), kNull);
            EXPECT_EQ(collection.SetManufacturerName("m"), kNull);
            EXPECT_EQ(collection.AddPackageName("p"), kNull);
            EXPECT_EQ(collection.SetPackageVersion(1), kNull);
            EXPECT_EQ(collection.SetProperties(nullptr), kNull);
            EXPECT_EQ(effect->AddName("n"), kNull);
            EXPECT_EQ(effect->AddProcPtr(reinterpret_cast<void*>(&Factory), 0), kNull);
            EXPECT_EQ(effect->AddControlMIDINode(1, AAX_eMIDINodeType_Global, "x", 1), kUnimpl);
            EXPECT_EQ(component->Clear(), kNull);
            EXPECT_EQ(component->AddDataInPort(0, 20), kNull);
            EXPECT_EQ(component->AddTemporaryData(5, 4), kUnimpl);
            EXPECT_EQ(component->AddProcessProc_Native(&Process, map), kNull);
            EXPECT_EQ(map->AddProperty(AAX_eProperty_SampleRate, 3), kNull);
            EXPECT_FALSE(map->GetProperty(AAX_eProperty_SampleRate, nullptr));
            // Duplicating an empty map still hands out a new, owned map.
            EXPECT_NE(component->DuplicatePropertyMap(map), nullptr);
        }
    }
}

TEST_F(DescriptionWrappers, AddEffectWithoutDescriptorNeverReachesTheHost) {
    ACFPtr<HostRootObject> root = HostRootObject::Create();
    AAX_VCollection collection(root->Identity());
    EXPECT_EQ(collection.AddEffect("com.example.aax.test", nullptr), kNull);
    EXPECT_EQ(collection.SetPackageVersion(1), kOK);
    const RecordedDescription description = root->LastCollection()->Description();
    ASSERT_EQ(description.calls.size(), 1u);
    EXPECT_EQ(description.calls[0].operation, "SetPackageVersion");
}

TEST_F(DescriptionWrappers, DuplicatePropertyMapCopiesIdsTenTo307) {
    ACFPtr<HostRootObject> root = HostRootObject::Create();
    AAX_VComponentDescriptor component(root->Identity());
    AAX_IPropertyMap* source = component.NewPropertyMap();
    const std::pair<int32_t, bool> entries[] = {{0, false},  {9, false},   {10, true},   {11, true},
                                                {58, true},  {307, true},  {308, false}, {400, false}};
    for (const auto& e : entries) source->AddProperty(static_cast<AAX_EProperty>(e.first), e.first * 3);

    AAX_IPropertyMap* copy = component.DuplicatePropertyMap(source);
    ASSERT_NE(copy, source);
    for (const auto& e : entries) {
        AAX_CPropertyValue value = -1;
        EXPECT_EQ(bool(copy->GetProperty(static_cast<AAX_EProperty>(e.first), &value)), e.second) << e.first;
        if (e.second) {
            EXPECT_EQ(value, e.first * 3) << e.first;
        }
    }
    EXPECT_NE(component.DuplicatePropertyMap(nullptr), nullptr);  // a null source gives an empty map
}

// The effect's own description, released to the last host object, is
// checked through the entry points (tests/module); here, the maps it does
// not ask for.
TEST_F(DescriptionWrappers, TeardownReleasesTheMapsOfEveryWrapper) {
    ACFPtr<HostRootObject> root = HostRootObject::Create();
    {
        AAX_VCollection collection(root->Identity());
        AAX_IEffectDescriptor* effect = collection.NewDescriptor();
        AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
        for (AAX_IPropertyMap* map : {collection.NewPropertyMap(), effect->NewPropertyMap(),
                                      component->DuplicatePropertyMap(nullptr)})
            map->AddProperty(AAX_eProperty_SampleRate, 3);
    }
    // Only the root, its factory and the collection the factory keeps are left.
    EXPECT_EQ(HostObjectBase::LiveObjects(), m_LiveBefore + 3);
    root.reset();
}

}  // namespace
