// Wrappers over full, version-1 and absent hosts: the host's answer, or the missing code.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "AAX_CHostServices.h"
#include "AAX_CString.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VCollection.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VController.h"
#include "AAX_VHostServices.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"
#include "host/objects/HostController.h"
#include "host/objects/HostRootObject.h"
#include "host/objects/HostViewContainer.h"

namespace {

constexpr AAX_Result kOK = AAX_SUCCESS;
constexpr AAX_Result kNull = AAX_ERROR_NULL_OBJECT;
constexpr AAX_Result kUnimpl = AAX_ERROR_UNIMPLEMENTED;
using Level = HostInterfaceLevel;

// A kind of host; column picks the expected answer: 0 full, 1 version 1, 2 no host.
struct HostKind { const char* name; Level level, rootLevel; bool exists; int column; };

// One call on a set of wrappers, named by its text, and its answer in each column.
template <class W>
struct Row { const char* call; std::function<AAX_Result(W&)> run; AAX_Result expected[3]; };
#define CALL(expr) #expr, [&](auto& w) { return AAX_Result(w.expr); }

// Builds the wrappers over each kind of host, checks every row in order,
// then hands the wrappers of present hosts to more checks.
template <class W>
void CheckRows(const std::vector<HostKind>& kinds, const std::vector<Row<W>>& rows,
               const std::function<void(W&)>& more) {
    for (const HostKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        W w(kind);
        for (const Row<W>& row : rows) EXPECT_EQ(row.run(w), row.expected[kind.column]) << row.call;
        if (kind.column != 2) more(w);
    }
}

class Wrappers : public ::testing::Test {
protected:
    const acfUInt32 m_LiveBefore = HostObjectBase::LiveObjects();
    void TearDown() override { EXPECT_EQ(HostObjectBase::LiveObjects(), m_LiveBefore); }
};

const std::vector<HostKind> kRootKinds = {
    {"full host", Level::Version2, Level::Version2, true, 0},
    {"version 1 host", Level::Version1, Level::Version2, true, 1},
    {"factory makes objects without interfaces", Level::None, Level::Version2, true, 2},
    {"root without factory", Level::Version2, Level::None, true, 2},
    {"no root", Level::Version2, Level::Version2, false, 2},
};

void Process(void* const[], const void*) {}
IACFUnknown* Factory() { return nullptr; }

struct DescriptionWrappers {
    explicit DescriptionWrappers(const HostKind& kind)
        : root(HostRootObject::Create(
              kind.rootLevel, {kind.level, kind.level, kind.level, kind.level, kind.level, true, &output})),
          identity(kind.exists ? root->Identity() : nullptr), collection(identity), services(identity) {}
    std::ostringstream output;
    ACFPtr<HostRootObject> root;
    IACFUnknown* identity;
    AAX_VCollection collection;
    AAX_VHostServices services;
    // Never null: over no host they are empty but usable.
    AAX_IEffectDescriptor* effect = collection.NewDescriptor();
    AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
    AAX_IPropertyMap* map = component->NewPropertyMap();
};

TEST_F(Wrappers, DescriptionAndServicesAnswerTheirOperationsOrTheMissingCodes) {
    const AAX_SPlugInIdentifierTriad triad{1, 2, 3};
    const AAX_SPlugInIdentifierTriad* ids = nullptr;
    uint32_t count = 0;
    AAX_CPropertyValue value = -1;
    void* factory = reinterpret_cast<void*>(&Factory);
    using D = DescriptionWrappers;
    const std::vector<Row<D>> rows = {
        {"map has an interface", [](D& w) { return AAX_Result(w.map->GetIUnknown() != nullptr); }, {1, 1, 0}},
        // What is added reads back; what is refused does not.
        {CALL(map->AddProperty(AAX_eProperty_SampleRate, 3)), {kOK, kOK, kNull}},
        {CALL(map->GetProperty(AAX_eProperty_SampleRate, &value)), {1, 1, 0}},
        {CALL(map->RemoveProperty(AAX_eProperty_SampleRate)), {kOK, kOK, kNull}},
        {CALL(map->AddPropertyWithIDArray(AAX_eProperty_ManufacturerID, &triad, 1)), {kOK, kUnimpl, kUnimpl}},
        {CALL(map->GetPropertyWithIDArray(AAX_eProperty_ManufacturerID, &ids, &count)), {1, 0, 0}},
        {CALL(effect->AddControlMIDINode(1, AAX_eMIDINodeType_Global, "x", 1)), {kOK, kUnimpl, kUnimpl}},
        {CALL(effect->AddName("Orvanta")), {kOK, kOK, kNull}},
        {CALL(effect->AddProcPtr(factory, 0)), {kOK, kOK, kNull}},
        {CALL(component->AddTemporaryData(5, 4)), {kOK, kUnimpl, kUnimpl}},
        {CALL(component->AddDataInPort(0, 20)), {kOK, kOK, kNull}},
        {CALL(component->AddProcessProc_Native(&Process, w.map)), {kOK, kOK, kNull}},
        {CALL(component->Clear()), {kOK, kOK, kNull}},
        {CALL(collection.SetManufacturerName("m")), {kOK, kOK, kNull}},
        {CALL(collection.AddPackageName("p")), {kOK, kOK, kNull}},
        {CALL(collection.SetPackageVersion(1)), {kOK, kOK, kNull}},
        {CALL(collection.SetProperties(w.map)), {kOK, kOK, kNull}},
        {CALL(collection.AddEffect("id", nullptr)), {kNull, kNull, kNull}},  // never reaches the host
        {CALL(collection.AddEffect("id", w.effect)), {kOK, kOK, kNull}},
        {CALL(services.Assert("file.cpp", 12, "note")), {kOK, kOK, kNull}},
        {CALL(services.Trace(AAX_eTracePriorityHost_Normal, "hello")), {kOK, kOK, kNull}},
        // Maps the effect does not hand back are released with their wrappers (the fixture counts).
        {CALL(collection.NewPropertyMap()->AddProperty(AAX_eProperty_SampleRate, 3)), {kOK, kOK, kNull}},
        {CALL(effect->NewPropertyMap()->AddProperty(AAX_eProperty_SampleRate, 3)), {kOK, kOK, kNull}},
        {CALL(component->DuplicatePropertyMap(w.map)->AddProperty(AAX_eProperty_SampleRate, 3)),
         {kOK, kOK, kNull}},
    };
    CheckRows<D>(kRootKinds, rows, [](D& w) {
        EXPECT_NE(w.output.str().find("file.cpp:12: note"), std::string::npos);
        EXPECT_NE(w.output.str().find("hello"), std::string::npos);
        const std::vector<RecordedCall> calls = w.root->LastCollection()->Description().calls;
        auto added = [](const RecordedCall& call) { return call.operation == "AddEffect"; };
        EXPECT_EQ(std::count_if(calls.begin(), calls.end(), added), 1);
    });
}

TEST_F(Wrappers, DuplicatePropertyMapCopiesIdsTenTo307) {
    ACFPtr<HostRootObject> root = HostRootObject::Create();
    AAX_VComponentDescriptor component(root->Identity());
    AAX_IPropertyMap* source = component.NewPropertyMap();
    const std::pair<int32_t, bool> entries[] = {{0, false},  {9, false},  {10, true},  {11, true},
                                                {58, true},  {307, true}, {308, false}, {400, false}};
    for (const auto& e : entries) source->AddProperty(static_cast<AAX_EProperty>(e.first), e.first * 3);
    AAX_IPropertyMap* copy = component.DuplicatePropertyMap(source);
    ASSERT_NE(copy, source);
    for (const auto& e : entries) {
        AAX_CPropertyValue value = -1;
        EXPECT_EQ(bool(copy->GetProperty(static_cast<AAX_EProperty>(e.first), &value)), e.second) << e.first;
        EXPECT_EQ(value, e.second ? e.first * 3 : -1) << e.first;
    }
    EXPECT_NE(component.DuplicatePropertyMap(nullptr), nullptr);  // a null source gives an empty map
}

TEST_F(Wrappers, ProcessWideServicesKeepTheFirstStartUp) {
    std::ostringstream output;
    HostFactoryOptions options;
    options.servicesOutput = &output;
    ACFPtr<HostRootObject> root = HostRootObject::Create(Level::Version2, options);
    AAX_CHostServices::Set(nullptr);  // shut-down without start-up: nothing
    EXPECT_EQ(AAX_CHostServices::Get(), nullptr);
    EXPECT_EQ(AAX_CHostServices::Trace(0, "before"), kNull);
    AAX_CHostServices::Set(root->Identity());
    AAX_IHostServices* first = AAX_CHostServices::Get();
    ASSERT_NE(first, nullptr);
    AAX_CHostServices::Set(root->Identity());  // second start-up keeps the first
    EXPECT_EQ(AAX_CHostServices::Get(), first);
    EXPECT_EQ(AAX_CHostServices::Trace(1, "running"), kOK);
    EXPECT_EQ(AAX_CHostServices::HandleAssert("f", 1, "n"), kOK);
    AAX_CHostServices::Set(nullptr);
    EXPECT_EQ(AAX_CHostServices::Get(), nullptr);
    EXPECT_NE(output.str().find("running"), std::string::npos);
}

const std::vector<HostKind> kInstanceKinds = {
    {"full host", Level::Version2, Level::Version2, true, 0},
    {"version 1 host", Level::Version1, Level::Version2, true, 1},
    {"objects without interfaces", Level::None, Level::Version2, true, 2},
    {"no objects", Level::None, Level::Version2, false, 2},
};

int nativeView = 0;

struct InstanceWrappers {
    // A controller with its companions at the kind's level.
    static ACFPtr<HostController> MakeController(const HostKind& kind) {
        if (!kind.exists) return {};
        ACFPtr<HostController> controller =
            HostController::Create(48000.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo, kind.level);
        controller->AttachTransport(HostTransport::Create(48000.0, kind.level).get());
        controller->AttachAutomationDelegate(HostAutomationDelegate::Create(kind.level).get());
        controller->SetEffectID("com.example.aax.test");
        return controller;
    }
    static ACFPtr<HostViewContainer> MakeView(const HostKind& kind) {
        if (!kind.exists) return {};
        return HostViewContainer::Create(&nativeView, AAX_eViewContainer_Type_NSView, kind.level);
    }
    explicit InstanceWrappers(const HostKind& kind)
        : host(MakeController(kind)), container(MakeView(kind)), controller(Identity()),
          transport(Identity()), delegate(Identity()), view(container ? container->Identity() : nullptr) {}
    IACFUnknown* Identity() const { return host ? host->Identity() : nullptr; }

    ACFPtr<HostController> host;
    ACFPtr<HostViewContainer> container;
    AAX_VController controller;
    AAX_VTransport transport;
    AAX_VAutomationDelegate delegate;
    AAX_VViewContainer view;
};

TEST_F(Wrappers, InstanceWrappersAnswerTheirOperationsOrTheMissingCodes) {
    AAX_CString text;
    float rate = 0;
    int32_t a = 0, b = 0;
    int64_t x = 0, y = 0;
    uint32_t count = 0;
    bool flag = false;
    double tempo = 0;
    AAX_EStemFormat stem;
    AAX_CPropertyValue value = 0;
    AAX_CTimestamp timestamp = 0;
    AAX_EProperty which = AAX_eProperty_TI_InstanceCycleCount;
    AAX_EFrameRate frameRate;
    AAX_EFeetFramesRate feetRate;
    AAX_CBoolean touched = 0;
    AAX_Point size(300, 400);
    const uint8_t packet[4] = {1, 2, 3, 4};
    using I = InstanceWrappers;
    const std::vector<Row<I>> rows = {
        {CALL(controller.GetEffectID(&text)), {kOK, kOK, kNull}},
        {CALL(controller.GetSampleRate(&rate)), {kOK, kOK, kNull}},
        {CALL(controller.GetInputStemFormat(&stem)), {kOK, kOK, kNull}},
        {CALL(controller.GetOutputStemFormat(&stem)), {kOK, kOK, kNull}},
        {CALL(controller.GetSignalLatency(&a)), {kOK, kOK, kNull}},
        {CALL(controller.GetCycleCount(which, &value)), {kOK, kOK, kNull}},
        {CALL(controller.GetTODLocation(&timestamp)), {kOK, kOK, kNull}},
        {CALL(controller.SetSignalLatency(7)), {kOK, kOK, kNull}},
        {CALL(controller.SetCycleCount(&which, &value, 1)), {kOK, kOK, kNull}},
        {CALL(controller.PostPacket(0, packet, 4)), {kOK, kOK, kNull}},
        {CALL(controller.GetMeterCount(&count)), {kOK, kOK, kNull}},
        {CALL(controller.SendNotification(1, packet, 4)), {kOK, kUnimpl, kUnimpl}},
        {CALL(controller.GetHybridSignalLatency(&a)), {kOK, kUnimpl, kUnimpl}},
        {CALL(controller.GetHostName(&text)), {kOK, kUnimpl, kUnimpl}},
        {CALL(controller.GetCurrentAutomationTimestamp(&(timestamp = 12345))), {kOK, kUnimpl, kUnimpl}},
        {"timestamp", [&](I&) { return AAX_Result(timestamp); }, {0, 0, 0}},  // zeroed when missing
        // The transport answers the same code whichever version is missing.
        {CALL(transport.GetCurrentTempo(&tempo)), {kOK, kOK, kNull}},
        {CALL(transport.GetCurrentMeter(&a, &b)), {kOK, kOK, kNull}},
        {CALL(transport.IsTransportPlaying(&flag)), {kOK, kOK, kNull}},
        {CALL(transport.GetCurrentTickPosition(&x)), {kOK, kOK, kNull}},
        {CALL(transport.GetCurrentLoopPosition(&flag, &x, &y)), {kOK, kOK, kNull}},
        {CALL(transport.GetCurrentNativeSampleLocation(&x)), {kOK, kOK, kNull}},
        {CALL(transport.GetCustomTickPosition(&x, 100)), {kOK, kOK, kNull}},
        {CALL(transport.GetBarBeatPosition(&a, &b, &x, 100)), {kOK, kOK, kNull}},
        {CALL(transport.GetTicksPerQuarter(&count)), {kOK, kOK, kNull}},
        {CALL(transport.GetCurrentTicksPerBeat(&count)), {kOK, kOK, kNull}},
        {CALL(transport.GetTimelineSelectionStartPosition(&x)), {kOK, kNull, kNull}},
        {CALL(transport.GetTimeCodeInfo(&frameRate, &a)), {kOK, kNull, kNull}},
        {CALL(transport.GetFeetFramesInfo(&feetRate, &x)), {kOK, kNull, kNull}},
        {CALL(delegate.RegisterParameter("Dynamic")), {kOK, kOK, kNull}},
        {CALL(delegate.PostTouchRequest("Dynamic")), {kOK, kOK, kNull}},
        {CALL(delegate.PostSetValueRequest("Dynamic", 0.25)), {kOK, kOK, kNull}},
        {CALL(delegate.GetTouchState("Dynamic", &(touched = 0))), {kOK, kOK, kNull}},
        {"touched", [&](I&) { return AAX_Result(touched); }, {1, 1, 0}},
        {CALL(delegate.PostCurrentValue("Dynamic", 0.25)), {kOK, kOK, kNull}},
        {CALL(delegate.PostReleaseRequest("Dynamic")), {kOK, kOK, kNull}},
        {CALL(delegate.UnregisterParameter("Dynamic")), {kOK, kOK, kNull}},
        {CALL(view.GetType()), {1, 1, 0}},
        {CALL(view.GetPtr() == &nativeView), {1, 1, 0}},
        {CALL(view.GetPtr() == nullptr), {0, 0, 1}},
        {CALL(view.GetModifiers(&count)), {kOK, kOK, kUnimpl}},
        {CALL(view.SetViewSize(size)), {kOK, kOK, kOK}},
        // Present or not, the host declines mouse events by default.
        {CALL(view.HandleParameterMouseDown("Color", 0)), {kUnimpl, kUnimpl, kUnimpl}},
        {CALL(view.HandleParameterMouseDrag("Color", 0)), {kUnimpl, kUnimpl, kUnimpl}},
        {CALL(view.HandleParameterMouseUp("Color", 0)), {kUnimpl, kUnimpl, kUnimpl}},
    };
    CheckRows<I>(kInstanceKinds, rows, [](I& w) {
        const auto requests = w.host->AutomationDelegate()->TakeSetValueRequests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].parameterID, "Dynamic");
        EXPECT_EQ(requests[0].normalizedValue, 0.25);
        w.container->SetTakesMouseEvents(true);
        EXPECT_EQ(w.view.HandleParameterMouseDown("Color", 3), kOK);
        EXPECT_EQ(w.container->MouseEvents().size(), 4u);
    });
}

}  // namespace
