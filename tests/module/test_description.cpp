// The effect description as the substitute host records it, and what happens when a collection
// cannot give it what it needs.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "AAX_VCollection.h"
#include "AAX_VEffectDescriptor.h"
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

// An effect descriptor that yields no component descriptor.
struct NoComponents : AAX_VEffectDescriptor {
    using AAX_VEffectDescriptor::AAX_VEffectDescriptor;
    AAX_IComponentDescriptor* NewComponentDescriptor() override { return nullptr; }
};

// A collection over the substitute host that yields no effect descriptor, or one of NoComponents.
struct ScriptedCollection : AAX_VCollection {
    ScriptedCollection(IACFUnknown* root, bool yieldsDescriptor)
        : AAX_VCollection(root), effect(yieldsDescriptor ? new NoComponents(root) : nullptr) {}
    AAX_IEffectDescriptor* NewDescriptor() override { return effect.get(); }
    std::unique_ptr<NoComponents> effect;
};

TEST(EffectDescription, WithoutDescriptorsOnlyThePackageIsDescribed) {
    for (bool yieldsEffectDescriptor : {false, true}) {
        SCOPED_TRACE(yieldsEffectDescriptor ? "no component descriptor" : "no effect descriptor");
        ACFPtr<HostRootObject> root = HostRootObject::Create();
        {
            ScriptedCollection collection(root.get(), yieldsEffectDescriptor);
            EXPECT_EQ(GetEffectDescriptions(&collection), AAX_ERROR_NULL_OBJECT);
        }
        ASSERT_NE(root->LastCollection(), nullptr);
        std::string calls;
        for (const RecordedCall& call : root->LastCollection()->Description().calls)
            calls += call.operation + " ";
        EXPECT_EQ(calls, "SetManufacturerName AddPackageName AddPackageName SetPackageVersion ");
    }
}

}  // namespace
