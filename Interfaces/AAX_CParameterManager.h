// The registry of an instance's parameters: owns them, keeps them in the
// order of addition (the host's parameter index) and finds them by
// identifier. Every parameter added is attached to the host's automation
// delegate.
//
// Threads: the host's main thread, through the data model; not locked.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "AAX.h"

class AAX_IAutomationDelegate;
class AAX_IParameter;

class AAX_CParameterManager {
public:
    AAX_CParameterManager() = default;
    AAX_CParameterManager(const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator=(const AAX_CParameterManager&) = delete;
    ~AAX_CParameterManager();

    // The delegate attached to every parameter added from now on.
    void Initialize(AAX_IAutomationDelegate* automationDelegate);

    // Takes ownership and attaches the automation delegate. A null pointer or
    // an identifier already registered is ignored (no ownership taken: the
    // caller keeps the parameter).
    void AddParameter(AAX_IParameter* parameter);
    // Deletes every parameter; each unregisters itself from the delegate.
    void RemoveAllParameters();

    int32_t NumParameters() const { return int32_t(m_Parameters.size()); }
    // Null for an index outside 0 .. NumParameters() - 1.
    AAX_IParameter* GetParameter(int32_t index) const;
    // Null for a null or unregistered identifier.
    AAX_IParameter* GetParameterByID(AAX_CParamID identifier) const;
    // Index of the parameter with that identifier, or -1.
    int32_t ControlIndexFromID(AAX_CParamID identifier) const;

private:
    AAX_IAutomationDelegate* m_AutomationDelegate = nullptr;
    std::vector<AAX_IParameter*> m_Parameters;
    std::map<std::string, AAX_IParameter*> m_ParametersByID;
};
