// The substitute host's automation delegate. It tracks which parameter
// identifiers are registered and which are touched, remembers the last
// value each parameter reported, logs every request in order, and queues
// set-value requests for the runtime to answer (by calling the data model's
// UpdateParameterNormalizedValue), as a host does.
//
// Touches nest: a parameter stays touched until every touch has been
// released, so the touch, set-value and release that a parameter wraps
// around each value it sets do not end the editor's own gesture around
// them. The host's automation playback queues its values here too, marked
// as playback: while the user holds a parameter (touched), the runtime
// drops playback values for it instead of answering them, so the gesture
// wins and playback resumes with the next value after the release.
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
    // A set-value request waiting for the host's answer: from the plug-in
    // (its parameters' requests) or from the host's automation playback.
    struct SetValueRequest {
        enum class Origin { PlugIn, Playback };
        std::string parameterID;
        double normalizedValue = 0.0;
        Origin origin = Origin::PlugIn;
    };
    // One request as it arrived.
    struct Event {
        enum class Kind { Register, Unregister, SetValue, CurrentValue, Touch, Release, Playback };
        Kind kind;
        std::string parameterID;
        double normalizedValue = 0.0;  // SetValue, CurrentValue and Playback
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

    // ---- the host's automation playback (any thread) ----
    // Queues a playback value for the runtime to answer like a set-value
    // request, unless the parameter is touched when it is answered.
    // Refused with AAX_ERROR_INVALID_PARAMETER_ID for an identifier that is
    // not registered. Allocates nothing within the reserved capacity (with
    // the event log off).
    AAX_Result PostPlaybackValue(AAX_CParamID parameterID, double normalizedValue);

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
    // True while a touch of the parameter is not yet released.
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
    // registered (and its touches), so the last reported value stays readable.
    struct ParameterRecord {
        bool registered = false;
        int touches = 0;  // touches not yet released
        bool reported = false;
        double lastReported = 0.0;
    };
    // Queues a request for a registered identifier, logged as kind.
    AAX_Result Queue(Event::Kind kind, AAX_CParamID parameterID, double normalizedValue,
                     SetValueRequest::Origin origin) const;
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
