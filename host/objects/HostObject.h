// The reference-counted base of every object of the substitute host.
//
// HostObjectBase counts references atomically and counts, process-wide, the
// host objects alive, so tests can assert that every object a module was
// handed has been released. HostObject<Interfaces...> joins that base with
// the component-framework interfaces an object implements and supplies their
// QueryInterface, AddRef and Release.
#pragma once

#include <atomic>

#include "AAX_UIDs.h"
#include "acfunknown.h"

// How much of its interface family a host object offers, so that the
// module's wrappers can be exercised against objects that lack a version.
enum class HostInterfaceLevel {
    None,      // answers only IID_IACFUnknown
    Version1,  // answers version 1
    Version2,  // answers versions 1 and 2 (the full object)
};

class HostObjectBase {
public:
    HostObjectBase(const HostObjectBase&) = delete;
    HostObjectBase& operator=(const HostObjectBase&) = delete;

    // Current reference count of this object.
    acfUInt32 RefCount() const { return m_RefCount.load(); }
    // Any thread. Host objects alive in the process.
    static acfUInt32 LiveObjects() { return s_LiveObjects.load(); }

protected:
    HostObjectBase() { s_LiveObjects.fetch_add(1); }
    virtual ~HostObjectBase() { s_LiveObjects.fetch_sub(1); }

    acfUInt32 AddRefObject() { return m_RefCount.fetch_add(1) + 1; }
    // Deletes the object when the count reaches zero.
    acfUInt32 ReleaseObject() {
        const acfUInt32 remaining = m_RefCount.fetch_sub(1) - 1;
        if (remaining == 0) delete this;
        return remaining;
    }

    // Answers a query for iid (never IID_IACFUnknown, which HostObject
    // answers): writes the interface with one added reference, typically
    // through Provide, or forwards the query to a companion object. Answers
    // according to the object's HostInterfaceLevel; ACF_E_NOINTERFACE for
    // anything it does not offer.
    virtual ACFRESULT FindInterface(const acfIID& iid, void** ppOut) = 0;

    // Writes face (an interface of this or another object) with one added reference.
    template <class Interface>
    static ACFRESULT Provide(Interface* face, void** ppOut) {
        face->AddRef();
        *ppOut = static_cast<void*>(face);
        return ACF_OK;
    }

private:
    std::atomic<acfUInt32> m_RefCount{0};
    static std::atomic<acfUInt32> s_LiveObjects;
};

template <class Primary, class... Others>
class HostObject : public Primary, public Others..., public HostObjectBase {
public:
    // Any thread. IID_IACFUnknown is always answered (with the primary
    // interface's unknown, the object's identity); anything else through
    // FindInterface.
    ACFRESULT QueryInterface(const acfIID& iid, void** ppOut) override {
        if (!ppOut) return ACF_E_INVALIDARG;
        *ppOut = nullptr;
        if (iid == IID_IACFUnknown) return Provide(Identity(), ppOut);
        return FindInterface(iid, ppOut);
    }
    acfUInt32 AddRef() override { return AddRefObject(); }
    acfUInt32 Release() override { return ReleaseObject(); }

    // The object's identity unknown.
    IACFUnknown* Identity() { return static_cast<IACFUnknown*>(static_cast<Primary*>(this)); }

protected:
    HostObject() = default;
    ~HostObject() override = default;
};

// Finds the host object of class T behind a component-framework object
// through its identity unknown, without keeping a reference (the caller holds
// one). Null for null objects and objects of another implementation.
template <class T>
T* HostObjectCast(IACFUnknown* unknown) {
    if (!unknown) return nullptr;
    void* found = nullptr;
    if (unknown->QueryInterface(IID_IACFUnknown, &found) != ACF_OK || !found) return nullptr;
    IACFUnknown* identity = static_cast<IACFUnknown*>(found);
    T* object = dynamic_cast<T*>(identity);
    identity->Release();
    return object;
}
