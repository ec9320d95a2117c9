// The ordered record of every call made on the description objects one
// component factory created, shared by those objects. It also hands out the
// objects' labels ("effect 1", "map 3") and the ids of process procedures.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AAX.h"
#include "RecordedDescription.h"

class HostCallLog {
public:
    // A new label for an object of the given kind: "<kind> <n>", n counting from 1 per kind.
    std::string NewLabel(const std::string& kind);
    // A new process-procedure id, counting from 1.
    AAX_CSelector NewProcID() { return ++m_LastProcID; }

    // Appends one call; returns result so that callers can record and answer in one step.
    AAX_Result Record(const std::string& object, const char* operation, std::vector<std::string> arguments,
                      AAX_Result result);
    const std::vector<RecordedCall>& Calls() const { return m_Calls; }

    // Argument renderings.
    static std::string Text(const char* text);  // quoted, or null
    static std::string Number(int64_t value);
    static std::string Real(double value);
    static std::string Pointer(const void* pointer);  // "null" or "set": addresses differ from run to run
    static std::string Properties(const RecordedPropertySet& properties);  // "{11=1, 12=2}"

private:
    std::map<std::string, int> m_LabelCounts;
    AAX_CSelector m_LastProcID = 0;
    std::vector<RecordedCall> m_Calls;
};

using HostCallLogPtr = std::shared_ptr<HostCallLog>;
