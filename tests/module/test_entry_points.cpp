// The seven entry points in both forms of the module, against hosts lacking parts or throwing.
#include <gtest/gtest.h>

#include <stdexcept>

#include "AAX_CHostServices.h"
#include "AAX_IACFEffectGUI.h"
#include "AAX_IACFEffectParameters.h"
#include "AAX_UIDs.h"
#include "ModuleTestSupport.h"
#include "host/objects/HostCollection.h"
#include "host/objects/HostRootObject.h"
#include "host/runtime/LinkedEntryPoints.h"
#include "host/runtime/PluginModule.h"

namespace {

using moduletest::EntryPoints;
using moduletest::Form;

constexpr ACFRESULT kUnexpected = static_cast<ACFRESULT>(0x8000FFFFu);
const Form kForms[] = {Form::Linked, Form::Bundle};
const auto kFormName = [](const auto& test) { return std::string(moduletest::FormName(test.param)); };

class EntryPointsTest : public ::testing::TestWithParam<Form> {
protected:
    void SetUp() override { ASSERT_TRUE(m_Entry.Complete()) << dlerror(); }
    EntryPoints m_Entry{GetParam()};
};

TEST_P(EntryPointsTest, SDKVersionAndTheOffersTheModuleDeclines) {
    acfUInt64 version = 0;
    EXPECT_EQ(m_Entry.GetSDKVersion(&version), ACF_OK);
    EXPECT_EQ(version, 0x000002000061125CULL);

    ACFPtr<HostRootObject> root = HostRootObject::Create();
    int sentinel = 0;
    const acfUID ids[] = {IID_IACFUnknown, IID_IACFComponentFactory, AAXCompID_AAXCollection, {1, 2, 3, 4}};
    for (const acfUID& clsid : ids) {
        for (const acfUID& iid : ids) {
            void* factory = &sentinel;
            EXPECT_EQ(m_Entry.GetClassFactory(root.get(), clsid, iid, &factory), AAX_ERROR_UNIMPLEMENTED);
            EXPECT_EQ(factory, nullptr);
        }
    }
    for (acfUInt32 index : {0u, 1u, 7u, 0xFFFFFFFFu}) {
        auto* definition = reinterpret_cast<IACFComponentDefinition*>(&sentinel);
        EXPECT_EQ(m_Entry.RegisterComponent(root.get(), index, &definition), ACF_OK);
        EXPECT_EQ(definition, nullptr);
    }
}

// The host-services object made at start-up is a host object: the host's live count shows it.
TEST_P(EntryPointsTest, StartupKeepsTheFirstHostServicesAndShutdownIsSafeWithoutStartup) {
    ACFPtr<HostRootObject> root = HostRootObject::Create();
    ACFPtr<HostRootObject> otherRoot = HostRootObject::Create();
    const acfUInt32 base = HostObjectBase::LiveObjects();
    struct Step { const char* name; bool startup; HostRootObject* root; acfUInt32 servicesAlive; };
    const Step steps[] = {
        {"shutdown before any startup", false, root.get(), 0},
        {"startup", true, root.get(), 1},
        {"second startup, same root", true, root.get(), 1},
        {"second startup, another root", true, otherRoot.get(), 1},
        {"shutdown", false, nullptr, 0},
        {"shutdown again", false, root.get(), 0},
        {"startup after shutdown", true, otherRoot.get(), 1},
        {"final shutdown", false, otherRoot.get(), 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        EXPECT_EQ(step.startup ? m_Entry.Startup(step.root) : m_Entry.Shutdown(step.root), ACF_OK);
        EXPECT_EQ(HostObjectBase::LiveObjects() - base, step.servicesAlive);
    }
}

// Registration against hosts that lack parts of the description machinery.
TEST_P(EntryPointsTest, RegistrationAgainstIncompleteHosts) {
    // definitionWritten false: the out argument keeps what the host put there.
    struct Case { const char* name; HostFactoryOptions options; ACFRESULT result; bool definitionWritten; };
    HostFactoryOptions full, noEffect, noCollection, noDefinition;
    noEffect.effectDescriptor = HostInterfaceLevel::None;
    noCollection.collection = HostInterfaceLevel::None;
    noDefinition.collectionOffersPluginDefinition = false;
    const Case cases[] = {
        {"complete host", full, ACF_OK, true},
        {"no effect descriptors", noEffect, AAX_ERROR_NULL_OBJECT, false},
        {"no collection", noCollection, AAX_ERROR_NULL_OBJECT, false},
        {"collection is no plug-in definition", noDefinition, AAX_ERROR_NULL_OBJECT, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const acfUInt32 base = HostObjectBase::LiveObjects();
        {
            ACFPtr<HostRootObject> root = HostRootObject::Create(HostInterfaceLevel::Version2, test.options);
            int sentinel = 0;
            auto* kept = reinterpret_cast<IACFPluginDefinition*>(&sentinel);
            IACFPluginDefinition* definition = kept;
            EXPECT_EQ(m_Entry.RegisterPlugin(root.get(), &definition), test.result);
            if (!test.definitionWritten) {
                EXPECT_EQ(definition, kept);
            } else if (test.result == ACF_OK) {
                ASSERT_NE(definition, nullptr);
                HostCollection* collection = root->Factory()->CollectionFor(definition);
                ASSERT_NE(collection, nullptr);
                EXPECT_EQ(collection->Description().effects.size(), 1u);
                definition->Release();
            } else {
                EXPECT_EQ(definition, nullptr);
            }
        }
        // The module released every host object it was handed or created.
        EXPECT_EQ(HostObjectBase::LiveObjects(), base);
    }
}

// A root object whose QueryInterface (the module's first call into it) throws.
struct ThrowingRoot : IACFUnknown {
    explicit ThrowingRoot(void (*raise)()) : m_Raise(raise) {}
    ACFRESULT QueryInterface(const acfIID&, void**) override {
        m_Raise();
        return ACF_OK;
    }
    acfUInt32 AddRef() override { return 1; }
    acfUInt32 Release() override { return 1; }
    void (*m_Raise)();
};

TEST_P(EntryPointsTest, ExceptionsFromTheHostBecomeOneResultCode) {
    struct Unusual {};
    for (auto raise : {+[] { throw ACFRESULT(ACF_E_POINTER); }, +[] { throw std::runtime_error("failure"); },
                       +[] { throw Unusual{}; }}) {
        ThrowingRoot root(raise);
        EXPECT_EQ(m_Entry.Startup(&root), kUnexpected);
        IACFPluginDefinition* definition = nullptr;
        EXPECT_EQ(m_Entry.RegisterPlugin(&root, &definition), kUnexpected);
        EXPECT_EQ(definition, nullptr);
        EXPECT_EQ(m_Entry.Shutdown(&root), ACF_OK);
        EXPECT_EQ(m_Entry.CanUnloadNow(&root), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, EntryPointsTest, ::testing::ValuesIn(kForms), kFormName);

class ModuleObjectsTest : public ::testing::TestWithParam<Form> {
protected:
    void SetUp() override {
        std::string error;
        m_Module = GetParam() == Form::Linked
                       ? PluginModule::LoadLinked(LinkedEntryPoints(), moduletest::BundlePath(), &error)
                       : PluginModule::LoadBundle(moduletest::BundlePath(), &error);
        ASSERT_TRUE(m_Module) << error;
    }
    std::unique_ptr<PluginModule> m_Module;
};

// The live count follows every data model and editor; each object's address is that of its interfaces.
TEST_P(ModuleObjectsTest, FactoryObjectsAreCountedWhileAliveAndAreTheirInterfacesAddresses) {
    EXPECT_EQ(m_Module->LiveObjects(), 0) << "start-up and registration leave nothing counted";
    IACFUnknown* objects[3] = {};
    struct Step { bool create; int slot; bool editor; int32_t alive; };
    const Step steps[] = {
        {true, 0, false, 1}, {true, 1, true, 2}, {true, 2, false, 3},
        {false, 0, false, 2}, {false, 2, false, 1}, {false, 1, true, 0},
    };
    for (const Step& step : steps) {
        if (!step.create) {
            EXPECT_EQ(objects[step.slot]->Release(), 0u);
        } else {
            IACFUnknown* object = step.editor ? m_Module->CreateEditor() : m_Module->CreateDataModel();
            ASSERT_NE(object, nullptr);
            objects[step.slot] = object;
            const std::vector<acfIID> iids = step.editor
                ? std::vector<acfIID>{IID_IAAXEffectGUIV1}
                : std::vector<acfIID>{IID_IAAXEffectParametersV2, IID_IAAXEffectParametersV1};
            for (const acfIID& iid : iids) {
                void* answered = nullptr;
                ASSERT_EQ(object->QueryInterface(iid, &answered), ACF_OK);
                EXPECT_EQ(answered, static_cast<void*>(object));
                static_cast<IACFUnknown*>(answered)->Release();
            }
        }
        EXPECT_EQ(m_Module->LiveObjects(), step.alive);
    }
}

// Unloading with an object alive: reported, and the code stays for the late release.
TEST_P(ModuleObjectsTest, UnloadWithObjectsAliveReportsThemAndKeepsTheCode) {
    IACFUnknown* model = m_Module->CreateDataModel();
    ASSERT_NE(model, nullptr);
    testing::internal::CaptureStderr();
    m_Module.reset();
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("1 object(s)"), std::string::npos) << report;
    EXPECT_NE(report.find("still alive"), std::string::npos) << report;
    EXPECT_EQ(model->Release(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Forms, ModuleObjectsTest, ::testing::ValuesIn(kForms), kFormName);

}  // namespace
