// CACFUnknown: the reference-counted base of every object this module hands
// to the host (the data model, the editor). Public QueryInterface, AddRef
// and Release of a derived object go to its outer unknown, which is the
// embedded private unknown (objects are never aggregated); the private
// unknown calls the Internal* operations below.
#pragma once

#include <atomic>

#include "acfunknown.h"

class CACFUnknown {
public:
    // Raises the process-wide live-object count; the reference count starts at 0.
    explicit CACFUnknown(IACFUnknown* pUnkOuter = nullptr);
    CACFUnknown(const CACFUnknown&) = delete;
    CACFUnknown& operator=(const CACFUnknown&) = delete;
    // Lowers the process-wide live-object count.
    virtual ~CACFUnknown();

    // Main thread, right after creation. Does nothing in the base; returns 0.
    virtual ACFRESULT InitializeInstance(IACFUnknown* pUnkHost);
    // Any thread; called once when the last reference is released, before
    // ReclaimMemory. Does nothing in the base.
    virtual void FinalRelease();
    // Any thread; deletes the object.
    virtual void ReclaimMemory();
    // Any thread. Answers IID_IACFUnknown with the private unknown (one added
    // reference); anything else: null and ACF_E_NOINTERFACE. Derived classes
    // answer their own identifiers first and pass the rest here.
    virtual ACFRESULT InternalQueryInterface(const acfIID& riid, void** ppvObjOut);
    // Any thread; atomic. Returns the new count.
    virtual acfUInt32 InternalAddRef();
    // Any thread; atomic. At zero runs FinalRelease, then ReclaimMemory, and returns 0.
    virtual acfUInt32 InternalRelease();

    // The unknown through which the object's public IACFUnknown calls are routed.
    IACFUnknown* GetOuterUnknown() const { return m_pUnkOuter; }
    IACFUnknown* GetPrivateUnknown() { return &m_PrivateUnknown; }
    // Current reference count (for diagnostics and tests).
    acfUInt32 GetRefCount() const { return m_RefCount.load(); }

    // Any thread. The number of CACFUnknown objects alive in the process.
    static acfUInt32 GetActiveObjectCount() { return m_ActiveObjects.load(); }

    // The embedded unknown that forwards to the owner's Internal* operations.
    class PrivateUnknown : public IACFUnknown {
    public:
        explicit PrivateUnknown(CACFUnknown* owner) : m_pOwner(owner) {}
        ACFRESULT QueryInterface(const acfIID& iid, void** ppOut) override;
        acfUInt32 AddRef() override;
        acfUInt32 Release() override;

    private:
        CACFUnknown* m_pOwner;
    };

private:
    std::atomic<acfUInt32> m_RefCount{0};
    IACFUnknown* m_pUnkOuter;
    PrivateUnknown m_PrivateUnknown;

    static std::atomic<acfUInt32> m_ActiveObjects;
};

// Declares the public IACFUnknown operations of a class deriving from both a
// host interface and CACFUnknown, routed to the outer unknown.
#define ACF_DECLARE_STANDARD_UNKNOWN()                                                   \
    ACFRESULT QueryInterface(const acfIID& iid, void** ppOut) override {                 \
        return GetOuterUnknown()->QueryInterface(iid, ppOut);                            \
    }                                                                                    \
    acfUInt32 AddRef() override { return GetOuterUnknown()->AddRef(); }                  \
    acfUInt32 Release() override { return GetOuterUnknown()->Release(); }
