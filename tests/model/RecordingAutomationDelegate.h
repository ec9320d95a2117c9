// Test helper: an automation delegate that records every call as one line
// ("touch Gain", "request Gain 0.75", ...), so tests can compare the order of
// what a parameter told the host.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "AAX_IAutomationDelegate.h"

class RecordingAutomationDelegate : public AAX_IAutomationDelegate {
public:
    AAX_Result RegisterParameter(AAX_CParamID id) override { return Record("register", id); }
    AAX_Result UnregisterParameter(AAX_CParamID id) override { return Record("unregister", id); }
    AAX_Result PostSetValueRequest(AAX_CParamID id, double value) const override {
        return Record("request", id, value);
    }
    AAX_Result PostCurrentValue(AAX_CParamID id, double value) const override { return Record("current", id, value); }
    AAX_Result PostTouchRequest(AAX_CParamID id) override { return Record("touch", id); }
    AAX_Result PostReleaseRequest(AAX_CParamID id) override { return Record("release", id); }
    AAX_Result GetTouchState(AAX_CParamID, AAX_CBoolean* touched) override {
        *touched = 0;
        return 0;
    }

    std::vector<std::string> TakeCalls() {
        std::vector<std::string> calls;
        calls.swap(m_Calls);
        return calls;
    }

private:
    AAX_Result Record(const char* what, AAX_CParamID id) const {
        m_Calls.push_back(std::string(what) + " " + id);
        return 0;
    }
    AAX_Result Record(const char* what, AAX_CParamID id, double value) const {
        std::ostringstream line;
        line << what << " " << id << " " << value;
        m_Calls.push_back(line.str());
        return 0;
    }

    mutable std::vector<std::string> m_Calls;
};
