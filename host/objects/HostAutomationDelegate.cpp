#include "HostAutomationDelegate.h"

using Kind = HostAutomationDelegate::Event::Kind;

ACFPtr<HostAutomationDelegate> HostAutomationDelegate::Create(HostInterfaceLevel level) {
    return ACFPtr<HostAutomationDelegate>(new HostAutomationDelegate(level));
}

HostAutomationDelegate::HostAutomationDelegate(HostInterfaceLevel level) : m_Level(level) {
    m_SetValueQueue.reserve(kReservedRequests);
}

ACFRESULT HostAutomationDelegate::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IAAXAutomationDelegateV1 && m_Level != HostInterfaceLevel::None)
        return Provide(static_cast<AAX_IACFAutomationDelegate*>(this), ppOut);
    return ACF_E_NOINTERFACE;
}

AAX_Result HostAutomationDelegate::Log(Event::Kind kind, AAX_CParamID parameterID, double value,
                                       AAX_Result result) const {
    if (m_KeepEventLog) m_Events.push_back(Event{kind, parameterID ? parameterID : "", value, result});
    return result;
}

HostAutomationDelegate::ParameterRecord* HostAutomationDelegate::Registered(AAX_CParamID parameterID) const {
    if (!parameterID) return nullptr;
    const auto found = m_Parameters.find(parameterID);
    return found != m_Parameters.end() && found->second.registered ? &found->second : nullptr;
}

AAX_Result HostAutomationDelegate::RegisterParameter(AAX_CParamID parameterID) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!parameterID) return Log(Kind::Register, parameterID, 0.0, AAX_ERROR_INVALID_PARAMETER_ID);
    m_Parameters[parameterID].registered = true;
    return Log(Kind::Register, parameterID, 0.0, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::UnregisterParameter(AAX_CParamID parameterID) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    ParameterRecord* record = Registered(parameterID);
    if (!record) return Log(Kind::Unregister, parameterID, 0.0, AAX_ERROR_INVALID_PARAMETER_ID);
    record->registered = false;
    record->touches = 0;
    return Log(Kind::Unregister, parameterID, 0.0, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::Queue(Event::Kind kind, AAX_CParamID parameterID, double normalizedValue,
                                         SetValueRequest::Origin origin) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!Registered(parameterID)) return Log(kind, parameterID, normalizedValue, AAX_ERROR_INVALID_PARAMETER_ID);
    m_SetValueQueue.push_back(SetValueRequest{parameterID, normalizedValue, origin});
    return Log(kind, parameterID, normalizedValue, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::PostSetValueRequest(AAX_CParamID parameterID, double normalizedValue) const {
    return Queue(Kind::SetValue, parameterID, normalizedValue, SetValueRequest::Origin::PlugIn);
}

AAX_Result HostAutomationDelegate::PostPlaybackValue(AAX_CParamID parameterID, double normalizedValue) {
    return Queue(Kind::Playback, parameterID, normalizedValue, SetValueRequest::Origin::Playback);
}

AAX_Result HostAutomationDelegate::PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    ParameterRecord* record = Registered(parameterID);
    if (!record) return Log(Kind::CurrentValue, parameterID, normalizedValue, AAX_ERROR_INVALID_PARAMETER_ID);
    record->reported = true;
    record->lastReported = normalizedValue;
    return Log(Kind::CurrentValue, parameterID, normalizedValue, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::PostTouchRequest(AAX_CParamID parameterID) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    ParameterRecord* record = Registered(parameterID);
    if (!record) return Log(Kind::Touch, parameterID, 0.0, AAX_ERROR_INVALID_PARAMETER_ID);
    ++record->touches;
    return Log(Kind::Touch, parameterID, 0.0, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::PostReleaseRequest(AAX_CParamID parameterID) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    ParameterRecord* record = Registered(parameterID);
    if (!record) return Log(Kind::Release, parameterID, 0.0, AAX_ERROR_INVALID_PARAMETER_ID);
    // A release without a touch leaves the parameter untouched, not owed a touch.
    if (record->touches > 0) --record->touches;
    return Log(Kind::Release, parameterID, 0.0, AAX_SUCCESS);
}

AAX_Result HostAutomationDelegate::GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!outTouched) return AAX_ERROR_NULL_OBJECT;
    *outTouched = 0;
    const ParameterRecord* record = Registered(parameterID);
    if (!record) return AAX_ERROR_INVALID_PARAMETER_ID;
    *outTouched = record->touches > 0 ? 1 : 0;
    return AAX_SUCCESS;
}

std::vector<HostAutomationDelegate::SetValueRequest> HostAutomationDelegate::TakeSetValueRequests() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    std::vector<SetValueRequest> taken;
    taken.swap(m_SetValueQueue);
    return taken;
}

void HostAutomationDelegate::TakeSetValueRequests(std::vector<SetValueRequest>* into) {
    into->clear();
    std::lock_guard<std::mutex> lock(m_Mutex);
    into->swap(m_SetValueQueue);
}

void HostAutomationDelegate::KeepEventLog(bool keep) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_KeepEventLog = keep;
}

size_t HostAutomationDelegate::PendingSetValueRequests() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_SetValueQueue.size();
}

bool HostAutomationDelegate::IsRegistered(const std::string& parameterID) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return Registered(parameterID.c_str()) != nullptr;
}

bool HostAutomationDelegate::IsTouched(const std::string& parameterID) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    const ParameterRecord* record = Registered(parameterID.c_str());
    return record && record->touches > 0;
}

std::vector<std::string> HostAutomationDelegate::RegisteredParameters() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    std::vector<std::string> registered;
    for (const auto& parameter : m_Parameters)
        if (parameter.second.registered) registered.push_back(parameter.first);
    return registered;
}

bool HostAutomationDelegate::LastReportedValue(const std::string& parameterID, double* outValue) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    const auto found = m_Parameters.find(parameterID);
    if (found == m_Parameters.end() || !found->second.reported) return false;
    if (outValue) *outValue = found->second.lastReported;
    return true;
}

std::vector<HostAutomationDelegate::Event> HostAutomationDelegate::Events() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Events;
}
