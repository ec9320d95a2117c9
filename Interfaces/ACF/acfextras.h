// Helpers around the component object model: the exception barrier every
// exported entry point uses, and conveniences for out-pointer handling.
#pragma once

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
