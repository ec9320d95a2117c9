// The interfaces every component-framework object and every module speaks:
// the classic unknown, the component factory and the definitions a module
// hands to the host at registration.
//
// Interfaces here are pure virtual tables: no destructor occupies a slot,
// objects are destroyed only through Release.
#pragma once

#include "acfbasetypes.h"

// The classic unknown: interface queries by identifier and reference counting.
class IACFUnknown {
public:
    // Any thread. On success writes the interface with one added reference;
    // otherwise writes null and returns ACF_E_NOINTERFACE.
    virtual ACFRESULT QueryInterface(const acfIID& iid, void** ppOut) = 0;
    // Any thread; atomic. Returns the new count.
    virtual acfUInt32 AddRef() = 0;
    // Any thread; atomic. Returns the new count; the object is gone at 0.
    virtual acfUInt32 Release() = 0;

protected:
    ~IACFUnknown() = default;
};

// Creates the components the host offers, by class identifier. The outer
// unknown is for aggregation; hosts of this system never aggregate and pass null.
class IACFComponentFactory : public IACFUnknown {
public:
    // Main thread. Writes a new component answering iid (one reference), or
    // null with ACF_E_CLASSNOTREG / ACF_E_NOINTERFACE.
    virtual ACFRESULT CreateComponent(const acfCLSID& clsid, IACFUnknown* pUnkOuter,
                                      const acfIID& iid, void** ppOut) = 0;

protected:
    ~IACFComponentFactory() = default;
};

// Attribute types a definition can hold.
enum EACFAttributeType : acfUInt32 {
    kACFAttrType_Undefined = 0,
    kACFAttrType_UInt32 = 1,
    kACFAttrType_SInt32 = 2,
    kACFAttrType_UID = 3,
    kACFAttrType_String = 4,  // zero-terminated 8-bit text, size includes the zero
    kACFAttrType_Data = 5,
};

// A set of typed attributes keyed by identifier, describing a plug-in or a
// component to the host.
class IACFDefinition : public IACFUnknown {
public:
    // Main thread. Adds or replaces an attribute (the data is copied).
    virtual ACFRESULT DefineAttribute(const acfUID& attributeID, acfUInt32 type,
                                      const void* data, acfUInt32 size) = 0;
    // Main thread. Reports the type and size of an attribute; ACF_E_INVALIDARG if absent.
    virtual ACFRESULT GetAttributeInfo(const acfUID& attributeID, acfUInt32* outType,
                                       acfUInt32* outSize) = 0;
    // Main thread. Copies an attribute of the given type into data (size bytes at most).
    virtual ACFRESULT CopyAttribute(const acfUID& attributeID, acfUInt32 type,
                                    void* data, acfUInt32 size) = 0;

protected:
    ~IACFDefinition() = default;
};

// What ACFRegisterPlugin hands the host: the definition of the whole plug-in.
class IACFPluginDefinition : public IACFDefinition {
protected:
    ~IACFPluginDefinition() = default;
};

// What ACFRegisterComponent hands the host for a separately registered component.
class IACFComponentDefinition : public IACFDefinition {
protected:
    ~IACFComponentDefinition() = default;
};
