#include "HostRootObject.h"

ACFPtr<HostRootObject> HostRootObject::Create(HostInterfaceLevel level, const HostFactoryOptions& options) {
    return ACFPtr<HostRootObject>(new HostRootObject(level, options));
}

HostRootObject::HostRootObject(HostInterfaceLevel level, const HostFactoryOptions& options) {
    if (level != HostInterfaceLevel::None) m_Factory = HostComponentFactory::Create(options);
}

ACFRESULT HostRootObject::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IACFComponentFactory && m_Factory) return m_Factory->QueryInterface(iid, ppOut);
    return ACF_E_NOINTERFACE;
}
