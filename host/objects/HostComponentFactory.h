// The substitute host's component factory: creates the description
// collection, effect and component descriptors, property maps and the
// host-services component by class id. Each collection it creates starts a
// new call log that the description objects created after it share, so one
// registration's calls are recorded together.
#pragma once

#include <iosfwd>
#include <vector>

#include "ACFPtr.h"
#include "HostCallLog.h"
#include "HostCollection.h"
#include "HostObject.h"

// What the objects a factory creates offer. An object created with level
// None answers none of its interfaces, so the creation fails with
// ACF_E_NOINTERFACE and nothing is handed out.
struct HostFactoryOptions {
    HostInterfaceLevel collection = HostInterfaceLevel::Version2;
    HostInterfaceLevel effectDescriptor = HostInterfaceLevel::Version2;
    HostInterfaceLevel componentDescriptor = HostInterfaceLevel::Version2;
    HostInterfaceLevel propertyMap = HostInterfaceLevel::Version2;
    HostInterfaceLevel hostServices = HostInterfaceLevel::Version2;
    bool collectionOffersPluginDefinition = true;
    std::ostream* servicesOutput = nullptr;  // null: standard error
};

class HostComponentFactory : public HostObject<IACFComponentFactory> {
public:
    // Main thread. A new factory with one reference held by the returned pointer.
    static ACFPtr<HostComponentFactory> Create(const HostFactoryOptions& options = HostFactoryOptions());

    // ---- IACFComponentFactory, main thread ----
    // Unknown class ids: ACF_E_CLASSNOTREG. The outer unknown is ignored
    // (this host never aggregates).
    ACFRESULT CreateComponent(const acfCLSID& clsid, IACFUnknown* pUnkOuter, const acfIID& iid,
                              void** ppOut) override;

    // ---- for the host ----
    // Every collection created, oldest first (this factory keeps a reference to each).
    const std::vector<ACFPtr<HostCollection>>& Collections() const { return m_Collections; }
    // The newest collection, or null.
    HostCollection* LastCollection() const;
    // The collection behind a plug-in definition handed out by a module, or null.
    HostCollection* CollectionFor(IACFUnknown* definition) const;

protected:
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    explicit HostComponentFactory(const HostFactoryOptions& options);

    HostFactoryOptions m_Options;
    HostCallLogPtr m_Log;
    std::vector<ACFPtr<HostCollection>> m_Collections;
};
