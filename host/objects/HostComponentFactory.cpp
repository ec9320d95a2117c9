#include "HostComponentFactory.h"

#include "HostComponentDescriptor.h"
#include "HostEffectDescriptor.h"
#include "HostPropertyMap.h"
#include "HostServices.h"

namespace {
// Hands out the interface iid of a freshly created object. If the object
// does not answer it, the holder's release destroys the object again.
template <class T>
ACFRESULT HandOut(const ACFPtr<T>& created, const acfIID& iid, void** ppOut) {
    return created->QueryInterface(iid, ppOut);
}
}  // namespace

ACFPtr<HostComponentFactory> HostComponentFactory::Create(const HostFactoryOptions& options) {
    return ACFPtr<HostComponentFactory>(new HostComponentFactory(options));
}

HostComponentFactory::HostComponentFactory(const HostFactoryOptions& options)
    : m_Options(options), m_Log(std::make_shared<HostCallLog>()) {}

ACFRESULT HostComponentFactory::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IACFComponentFactory) return Provide(static_cast<IACFComponentFactory*>(this), ppOut);
    return ACF_E_NOINTERFACE;
}

ACFRESULT HostComponentFactory::CreateComponent(const acfCLSID& clsid, IACFUnknown*, const acfIID& iid,
                                                void** ppOut) {
    if (!ppOut) return ACF_E_INVALIDARG;
    *ppOut = nullptr;
    if (clsid == AAXCompID_AAXCollection) {
        m_Log = std::make_shared<HostCallLog>();
        ACFPtr<HostCollection> collection =
            HostCollection::Create(m_Options.collection, m_Log, m_Options.collectionOffersPluginDefinition);
        const ACFRESULT result = HandOut(collection, iid, ppOut);
        if (result == ACF_OK) m_Collections.push_back(collection);
        return result;
    }
    if (clsid == AAXCompID_AAXEffectDescriptor)
        return HandOut(HostEffectDescriptor::Create(m_Options.effectDescriptor, m_Log), iid, ppOut);
    if (clsid == AAXCompID_AAXComponentDescriptor)
        return HandOut(HostComponentDescriptor::Create(m_Options.componentDescriptor, m_Log), iid, ppOut);
    if (clsid == AAXCompID_AAXPropertyMap)
        return HandOut(HostPropertyMap::Create(m_Options.propertyMap, m_Log), iid, ppOut);
    if (clsid == AAXCompID_HostServices)
        return HandOut(HostServices::Create(m_Options.hostServices, m_Options.servicesOutput), iid, ppOut);
    return ACF_E_CLASSNOTREG;
}

HostCollection* HostComponentFactory::LastCollection() const {
    return m_Collections.empty() ? nullptr : m_Collections.back().get();
}

HostCollection* HostComponentFactory::CollectionFor(IACFUnknown* definition) const {
    for (const ACFPtr<HostCollection>& collection : m_Collections)
        if (collection->Is(definition)) return collection.get();
    return nullptr;
}
