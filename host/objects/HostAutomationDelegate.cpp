#include "HostAutomationDelegate.h"

using Kind = HostAutomationDelegate::Event::Kind;

ACFPtr<HostAutomationDelegate> HostAutomationDelegate::Create(HostInterfaceLevel level) {
    return ACFPtr<HostAutomationDelegate>(new HostAutomationDelegate(level));
}

HostAutomationDelegate::HostAutomationDelegate(HostInterfaceLevel level) : m_Level(level) {}

ACFRESULT HostAutomationDelegate::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IAAXAutomationDelegateV1 && m_Level != HostInterfaceLevel::None)
        return Provide(static_cast<AAX_IACFAutomationDelegate*>(this), ppOut);
    return ACF_E_NOINTERFACE;
}

AAX_Result HostAutomationDelegate::Log(Event::Kind kind, AAX_CParamID parameterID, double value,
                                       AAX_Result result) const {
    m_Events.push_back(Event{kind, parameterID ? parameterID : "", value, result});
    return result;
}

bool HostAutomationDelegate::Registered(AAX_CParamID parameterID) const {
    return parameterID && m_Registered.count(parameterID) > 0;
}

AAX_Result HostAutomationDelegate::RegisterParameter(AAX_CParamID parameterID) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!parameterID) return Log(Kind::Register, parameterID, 0.0, AAX_ERROR_INVALID_PARAMETER_ID);
    m_Registered.insert(parameterID);
    return Log(Kind::Register, parameterID, 0.0, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::UnregisterParameter(AAX_CParamID parameterID) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!Registered(parameterID)) return Log(Kind::Unregister, parameterID, 0.0, AAX_ERROR_INVALID_PARAMETER_ID);
    m_Registered.erase(parameterID);
    m_Touched.erase(parameterID);
    return Log(Kind::Unregister, parameterID, 0.0, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::PostSetValueRequest(AAX_CParamID parameterID, double normalizedValue) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!Registered(parameterID))
        return Log(Kind::SetValue, parameterID, normalizedValue, AAX_ERROR_INVALID_PARAMETER_ID);
    m_SetValueQueue.push_back(SetValueRequest{parameterID, normalizedValue});
    return Log(Kind::SetValue, parameterID, normalizedValue, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!Registered(parameterID))
        return Log(Kind::CurrentValue, parameterID, normalizedValue, AAX_ERROR_INVALID_PARAMETER_ID);
    m_LastReported[parameterID] = normalizedValue;
    return Log(Kind::CurrentValue, parameterID, normalizedValue, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::PostTouchRequest(AAX_CParamID parameterID) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!Registered(parameterID)) return Log(Kind::Touch, parameterID, 0.0, AAX_ERROR_INVALID_PARAMETER_ID);
    m_Touched.insert(parameterID);
    return Log(Kind::Touch, parameterID, 0.0, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::PostReleaseRequest(AAX_CParamID parameterID) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!Registered(parameterID)) return Log(Kind::Release, parameterID, 0.0, AAX_ERROR_INVALID_PARAMETER_ID);
    m_Touched.erase(parameterID);
    return Log(Kind::Release, parameterID, 0.0, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!outTouched) return AAX_ERROR_NULL_OBJECT;
    *outTouched = 0;
    if (!Registered(parameterID)) return AAX_ERROR_INVALID_PARAMETER_ID;
    *outTouched = m_Touched.count(parameterID) ? 1 : 0;
    return AAX_SUCCESS;
}

std::vector<HostAutomationDelegate::SetValueRequest> HostAutomationDelegate::TakeSetValueRequests() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    std::vector<SetValueRequest> taken;
    taken.swap(m_SetValueQueue);
    return taken;
}

size_t HostAutomationDelegate::PendingSetValueRequests() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_SetValueQueue.size();
}

bool HostAutomationDelegate::IsRegistered(const std::string& parameterID) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Registered.count(parameterID) > 0;
}

bool HostAutomationDelegate::IsTouched(const std::string& parameterID) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Touched.count(parameterID) > 0;
}

std::vector<std::string> HostAutomationDelegate::RegisteredParameters() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return std::vector<std::string>(m_Registered.begin(), m_Registered.end());
}

bool HostAutomationDelegate::LastReportedValue(const std::string& parameterID, double* outValue) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    const auto found = m_LastReported.find(parameterID);
    if (found == m_LastReported.end()) return false;
    if (outValue) *outValue = found->second;
    return true;
}

std::vector<HostAutomationDelegate::Event> HostAutomationDelegate::Events() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Events;
}
