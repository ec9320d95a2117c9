// The substitute host's root object: what the host hands a module at
// start-up and registration. It offers the host's component factory.
#pragma once

#include "ACFPtr.h"
#include "HostComponentFactory.h"
#include "HostObject.h"

class HostRootObject : public HostObject<IACFUnknown> {
public:
    // Main thread. level None builds a root without a component factory.
    static ACFPtr<HostRootObject> Create(HostInterfaceLevel level = HostInterfaceLevel::Version2,
                                         const HostFactoryOptions& options = HostFactoryOptions());

    // The factory (null for a root built without one).
    HostComponentFactory* Factory() const { return m_Factory.get(); }
    // The newest collection the factory created, or null.
    HostCollection* LastCollection() const { return m_Factory ? m_Factory->LastCollection() : nullptr; }

protected:
    // Answers IID_IACFComponentFactory with the factory.
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    HostRootObject(HostInterfaceLevel level, const HostFactoryOptions& options);

    ACFPtr<HostComponentFactory> m_Factory;
};
