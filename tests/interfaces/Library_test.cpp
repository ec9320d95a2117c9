// The library's own classes: strings, the counted base and its pointer, the re-entrant mutex.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "AAX_CMutex.h"
#include "AAX_CString.h"
#include "AAX_UIDs.h"
#include "ACFPtr.h"
#include "CACFUnknown.h"

namespace {

// (Numbers as texts and back: tests/model, tests/runtime, tests/editor/test_locale.cpp.)
TEST(AAX_CString, AppendNumberPadsAHugePrecisionWithoutOverflowingTheStack) {
    AAX_CString text("Gain ");
    text.AppendNumber(0.5, 5000);
    ASSERT_EQ(text.Length(), 5u + 2u + 5000u);
    EXPECT_EQ(text.StdString().substr(0, 9), "Gain 0.50");
    EXPECT_EQ(text.StdString().find_first_not_of('0', 8), std::string::npos);
}

TEST(AAX_CString, EraseStaysInsideTheText) {
    struct Case { uint32_t position; uint32_t count; const char* expected; };
    const Case cases[] = {
        {1, 2, "adef"},   {0, 6, ""},            {2, 0, "abcdef"},
        {4, 10, "abcd"},  {0, 0xFFFFFFFFu, ""},  // running past the end: stops at the end
        {6, 1, "abcdef"}, {100, 5, "abcdef"},    // starting at or past the end: nothing
    };
    for (const Case& c : cases) {
        AAX_CString text("abcdef");
        EXPECT_STREQ(text.Erase(c.position, c.count).Get(), c.expected) << c.position << "+" << c.count;
    }
}

TEST(AAX_CString, ComparisonAndAssignmentThroughTheInterface) {
    EXPECT_STREQ(AAX_CString(nullptr).Get(), "");
    // Comparison is byte for byte up to the terminating zero.
    EXPECT_NE(AAX_CString("on"), AAX_CString("On"));
    EXPECT_NE(AAX_CString("on"), AAX_CString("on "));
    AAX_CString cut("on");
    cut[1] = '\0';
    EXPECT_EQ(cut, AAX_CString("o"));

    AAX_CString text, source("Harmonic");
    AAX_IString& boundary = text;
    boundary = static_cast<const AAX_IString&>(source);
    boundary = static_cast<const AAX_IString&>(boundary);  // self-assignment keeps the text
    EXPECT_STREQ(text.Get(), "Harmonic");
    boundary = "Dither";
    EXPECT_STREQ(AAX_CString(static_cast<const AAX_IString&>(text)).Get(), "Dither");
}

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

TEST(AAX_CMutex, ReentryAnswersFalseOnlyTheOwnerUnlocksAndOthersWaitForTheOwner) {
    AAX_CMutex mutex;
    EXPECT_TRUE(mutex.Lock());
    EXPECT_FALSE(mutex.Lock());  // nested: runs inside the outer lock
    std::thread([&] { mutex.Unlock(); }).join();  // not the owner: nothing happens
    EXPECT_FALSE(mutex.Lock());  // still held by this thread
    mutex.Unlock();
    mutex.Unlock();  // not the owner any more: nothing happens
    bool lockedElsewhere = false;
    std::thread([&] {
        lockedElsewhere = mutex.Lock();
        mutex.Unlock();
    }).join();
    EXPECT_TRUE(lockedElsewhere);

    ASSERT_TRUE(mutex.Lock());
    std::atomic<bool> acquired{false};
    std::thread waiter([&] {
        acquired = mutex.Lock();
        mutex.Unlock();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(acquired.load());
    mutex.Unlock();
    waiter.join();
    EXPECT_TRUE(acquired.load());
}

}  // namespace
