#include "CACFUnknown.h"

#include "AAX_UIDs.h"

std::atomic<acfUInt32> CACFUnknown::m_ActiveObjects{0};

CACFUnknown::CACFUnknown(IACFUnknown* pUnkOuter) : m_pUnkOuter(nullptr), m_PrivateUnknown(this) {
    // Objects of this system are never aggregated: the outer unknown is always
    // the object's own private unknown, whatever the caller passed.
    (void)pUnkOuter;
    m_pUnkOuter = &m_PrivateUnknown;
    m_ActiveObjects.fetch_add(1);
}

CACFUnknown::~CACFUnknown() { m_ActiveObjects.fetch_sub(1); }

ACFRESULT CACFUnknown::InitializeInstance(IACFUnknown*) { return ACF_OK; }

void CACFUnknown::FinalRelease() {}

void CACFUnknown::ReclaimMemory() { delete this; }

ACFRESULT CACFUnknown::InternalQueryInterface(const acfIID& riid, void** ppvObjOut) {
    if (!ppvObjOut) return ACF_E_INVALIDARG;
    *ppvObjOut = nullptr;
    if (riid == IID_IACFUnknown) {
        *ppvObjOut = static_cast<IACFUnknown*>(&m_PrivateUnknown);
        m_PrivateUnknown.AddRef();
        return ACF_OK;
    }
    return ACF_E_NOINTERFACE;
}

acfUInt32 CACFUnknown::InternalAddRef() { return m_RefCount.fetch_add(1) + 1; }

acfUInt32 CACFUnknown::InternalRelease() {
    const acfUInt32 remaining = m_RefCount.fetch_sub(1) - 1;
    if (remaining > 0) return remaining;
    FinalRelease();
    ReclaimMemory();
    return 0;
}

ACFRESULT CACFUnknown::PrivateUnknown::QueryInterface(const acfIID& iid, void** ppOut) {
    return m_pOwner->InternalQueryInterface(iid, ppOut);
}

acfUInt32 CACFUnknown::PrivateUnknown::AddRef() { return m_pOwner->InternalAddRef(); }

acfUInt32 CACFUnknown::PrivateUnknown::Release() { return m_pOwner->InternalRelease(); }
