#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "ACFPtr.h"
#include "AAX_UIDs.h"
#include "CACFUnknown.h"

namespace {

using Trace = std::vector<const char*>;

// Records the order of FinalRelease and destruction in an optional trace.
class CountedObject : public CACFUnknown {
public:
    explicit CountedObject(Trace* trace = nullptr) : m_Trace(trace) {}
    ~CountedObject() override { Note("destroyed"); }
    void FinalRelease() override { Note("FinalRelease"); }

private:
    void Note(const char* step) {
        if (m_Trace) m_Trace->push_back(step);
    }
    Trace* m_Trace;
};

TEST(CACFUnknown, LastReleaseRunsFinalReleaseThenDeletesAndOnlyTheClassicUnknownIsAnswered) {
    const acfUInt32 before = CACFUnknown::GetActiveObjectCount();
    Trace trace;
    auto* object = new CountedObject(&trace);
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), before + 1);
    IACFUnknown* unknown = object->GetOuterUnknown();
    EXPECT_EQ(unknown, object->GetPrivateUnknown());
    EXPECT_EQ(unknown->AddRef(), 1u);
    void* out = reinterpret_cast<void*>(0x1);
    ASSERT_EQ(unknown->QueryInterface(IID_IACFUnknown, &out), ACF_OK);
    EXPECT_EQ(out, unknown);
    EXPECT_EQ(unknown->Release(), 1u);  // the query added one reference
    for (const acfIID& iid : {IID_IAAXEffectGUIV1, IID_IAAXControllerV1, acfIID{1, 2, 3, 4}}) {
        out = reinterpret_cast<void*>(0x1);
        EXPECT_EQ(unknown->QueryInterface(iid, &out), ACF_E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(unknown->Release(), 0u);
    EXPECT_EQ(trace, (Trace{"FinalRelease", "destroyed"}));
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), before);
}

TEST(CACFUnknown, LiveCountStaysExactUnderConcurrentCreationAndRelease) {
    const acfUInt32 before = CACFUnknown::GetActiveObjectCount();
    constexpr int kThreads = 4;
    constexpr int kObjectsPerThread = 2000;

    // One object shared by every thread, referenced and released concurrently.
    auto* shared = new CountedObject;
    shared->GetOuterUnknown()->AddRef();

    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([shared] {
            std::vector<IACFUnknown*> mine;
            for (int i = 0; i < kObjectsPerThread; ++i) {
                mine.push_back((new CountedObject)->GetOuterUnknown());
                mine.back()->AddRef();
                shared->GetOuterUnknown()->AddRef();
            }
            for (IACFUnknown* object : mine) {
                object->Release();
                shared->GetOuterUnknown()->Release();
            }
        });
    }
    for (std::thread& thread : threads) thread.join();

    EXPECT_EQ(shared->GetRefCount(), 1u);
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), before + 1);
    shared->GetOuterUnknown()->Release();
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), before);
}

TEST(ACFPtr, DereferencingNullThrowsThePointerCode) {
    ACFPtr<IACFUnknown> empty;
    ACFPtr<IACFUnknown> fromNullObject(IID_IACFUnknown, nullptr);
    for (ACFPtr<IACFUnknown>* pointer : {&empty, &fromNullObject}) {
        try {
            (*pointer)->AddRef();
            FAIL() << "no exception";
        } catch (ACFRESULT code) {
            EXPECT_EQ(static_cast<uint32_t>(code), 0x80000005u);
        }
    }
}

}  // namespace
