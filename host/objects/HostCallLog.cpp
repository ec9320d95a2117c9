#include "HostCallLog.h"

#include <locale>
#include <sstream>

std::string HostCallLog::NewLabel(const std::string& kind) {
    return kind + " " + std::to_string(++m_LabelCounts[kind]);
}

AAX_Result HostCallLog::Record(const std::string& object, const char* operation, std::vector<std::string> arguments,
                               AAX_Result result) {
    m_Calls.push_back(RecordedCall{object, operation, std::move(arguments), result});
    return result;
}

std::string HostCallLog::Text(const char* text) {
    if (!text) return "null";
    return std::string("\"") + text + "\"";
}

std::string HostCallLog::Number(int64_t value) { return std::to_string(value); }

std::string HostCallLog::Real(double value) {
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << value;
    return stream.str();
}

std::string HostCallLog::Pointer(const void* pointer) { return pointer ? "set" : "null"; }

std::string HostCallLog::Properties(const RecordedPropertySet& properties) {
    std::string text = "{";
    for (const auto& entry : properties) {
        if (text.size() > 1) text += ", ";
        text += std::to_string(entry.first) + "=" + std::to_string(entry.second);
    }
    return text + "}";
}
