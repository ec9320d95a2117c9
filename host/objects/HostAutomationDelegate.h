// The substitute host's automation delegate. It tracks which parameter
// identifiers are registered and which are touched, remembers the last
// value each parameter reported, logs every request in order, and queues
// set-value requests for the runtime to answer (by calling the data model's
// UpdateParameterNormalizedValue), as a host does.
//
// Requests for identifiers that are not registered are refused with
// AAX_ERROR_INVALID_PARAMETER_ID and not queued.
//
// Once a parameter is registered, touching, releasing, reporting and
// queueing requests for it allocate nothing (with the event log off and the
// queue within its reserved capacity), so a host may drive the requests
// from its audio thread.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "AAX_IACFAutomationDelegate.h"
#include "ACFPtr.h"
#include "HostObject.h"

class HostAutomationDelegate : public HostObject<AAX_IACFAutomationDelegate> {
public:
    // A set-value request waiting for the host's answer.
    struct SetValueRequest {
        std::string parameterID;
        double normalizedValue = 0.0;
    };
    // One request as it arrived.
    struct Event {
        enum class Kind { Register, Unregister, SetValue, CurrentValue, Touch, Release };
        Kind kind;
        std::string parameterID;
        double normalizedValue = 0.0;  // SetValue and CurrentValue
        AAX_Result result = AAX_SUCCESS;
    };

    // Main thread.
    static ACFPtr<HostAutomationDelegate> Create(HostInterfaceLevel level = HostInterfaceLevel::Version2);

    // ---- AAX_IACFAutomationDelegate: main or user-interface thread (locks internally) ----
    AAX_Result RegisterParameter(AAX_CParamID parameterID) override;
    AAX_Result UnregisterParameter(AAX_CParamID parameterID) override;
    AAX_Result PostSetValueRequest(AAX_CParamID parameterID, double normalizedValue) const override;
    AAX_Result PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) const override;
    AAX_Result PostTouchRequest(AAX_CParamID parameterID) override;
    AAX_Result PostReleaseRequest(AAX_CParamID parameterID) override;
    AAX_Result GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) override;

    // ---- for the runtime and tests (any thread) ----
    // Removes and returns the queued set-value requests, oldest first.
    std::vector<SetValueRequest> TakeSetValueRequests();
    // The same without allocating: the queued requests are swapped into
    // *into (cleared first), whose storage becomes the queue's. Hand in a
    // vector with capacity reserved (kReservedRequests) and reuse it.
    void TakeSetValueRequests(std::vector<SetValueRequest>* into);
    // Requests the queue holds without growing.
    static constexpr size_t kReservedRequests = 64;
    // Whether requests are logged for Events() (on at creation). A long-
    // running host turns the log off so that it does not grow for ever.
    void KeepEventLog(bool keep);
    size_t PendingSetValueRequests() const;
    bool IsRegistered(const std::string& parameterID) const;
    bool IsTouched(const std::string& parameterID) const;
    std::vector<std::string> RegisteredParameters() const;
    // The last value a parameter reported with PostCurrentValue; false if none.
    bool LastReportedValue(const std::string& parameterID, double* outValue) const;
    std::vector<Event> Events() const;

protected:
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    explicit HostAutomationDelegate(HostInterfaceLevel level);
    // What the host knows of one parameter identifier it has seen
    // registered. The record outlives unregistration, which only clears
    // registered (and touched), so the last reported value stays readable.
    struct ParameterRecord {
        bool registered = false;
        bool touched = false;
        bool reported = false;
        double lastReported = 0.0;
    };
    // Logs the event and answers its result; the caller holds m_Mutex.
    AAX_Result Log(Event::Kind kind, AAX_CParamID parameterID, double value, AAX_Result result) const;
    // The record of a registered identifier, else null; the caller holds m_Mutex.
    ParameterRecord* Registered(AAX_CParamID parameterID) const;

    HostInterfaceLevel m_Level;
    // The interface's set-value and current-value requests are const, yet
    // they are how the host learns of changes: the record is mutable.
    mutable std::mutex m_Mutex;
    // Keyed by identifier; the transparent comparator looks up a C string
    // without building a std::string.
    mutable std::map<std::string, ParameterRecord, std::less<>> m_Parameters;
    mutable std::vector<SetValueRequest> m_SetValueQueue;
    bool m_KeepEventLog = true;
    mutable std::vector<Event> m_Events;
};
