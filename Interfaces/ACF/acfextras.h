// Helpers around the component object model: the exception barrier every
// exported entry point uses, out-pointer handling, and creating a host
// component through the host's component factory.
#pragma once

#include "ACFPtr.h"
#include "AAX_UIDs.h"
#include "acfunknown.h"

// Runs body (a callable returning ACFRESULT) and turns any exception that
// escapes it into ACF_E_UNEXPECTED. Every exported entry point goes through
// this so that no exception leaves the module.
template <class Body>
ACFRESULT ACFCatchAll(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return ACF_E_UNEXPECTED;
    }
}

// Writes interface pointer p into *ppOut with one added reference; for
// QueryInterface implementations.
template <class T>
ACFRESULT ACFProvideInterface(T* p, void** ppOut) {
    p->AddRef();
    *ppOut = static_cast<void*>(p);
    return ACF_OK;
}

// Has the component factory of root (the host's root object) create the
// component clsid answering iid, and hands it to out (which then holds the
// one reference). Leaves out null when root is null, has no factory, or the
// factory cannot create the class. The factory is released before returning.
template <class T>
void ACFCreateHostComponent(IACFUnknown* root, const acfCLSID& clsid, const acfIID& iid, ACFPtr<T>& out) {
    out.reset();
    ACFPtr<IACFComponentFactory> factory(IID_IACFComponentFactory, root);
    if (!factory) return;
    void* created = nullptr;
    if (factory->CreateComponent(clsid, nullptr, iid, &created) == ACF_OK && created)
        out.attach(static_cast<T*>(created));
}
