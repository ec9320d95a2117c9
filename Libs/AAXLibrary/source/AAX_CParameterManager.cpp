#include "AAX_CParameterManager.h"

#include <cstring>

#include "AAX_IParameter.h"

AAX_CParameterManager::~AAX_CParameterManager() { RemoveAllParameters(); }

void AAX_CParameterManager::Initialize(AAX_IAutomationDelegate* automationDelegate) {
    m_AutomationDelegate = automationDelegate;
}

void AAX_CParameterManager::AddParameter(AAX_IParameter* parameter) {
    if (!parameter) return;
    const std::string identifier = parameter->Identifier();
    if (m_ParametersByID.count(identifier)) return;
    parameter->SetAutomationDelegate(m_AutomationDelegate);
    m_Parameters.push_back(parameter);
    m_ParametersByID.emplace(identifier, parameter);
}

void AAX_CParameterManager::RemoveAllParameters() {
    for (AAX_IParameter* parameter : m_Parameters) delete parameter;
    m_Parameters.clear();
    m_ParametersByID.clear();
}

AAX_IParameter* AAX_CParameterManager::GetParameter(int32_t index) const {
    if (index < 0 || index >= NumParameters()) return nullptr;
    return m_Parameters[size_t(index)];
}

AAX_IParameter* AAX_CParameterManager::GetParameterByID(AAX_CParamID identifier) const {
    if (!identifier) return nullptr;
    const auto found = m_ParametersByID.find(identifier);
    return found == m_ParametersByID.end() ? nullptr : found->second;
}

int32_t AAX_CParameterManager::ControlIndexFromID(AAX_CParamID identifier) const {
    if (!identifier) return -1;
    for (size_t index = 0; index < m_Parameters.size(); ++index)
        if (std::strcmp(m_Parameters[index]->Identifier(), identifier) == 0) return int32_t(index);
    return -1;
}
