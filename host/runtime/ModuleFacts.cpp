#include "host/runtime/ModuleFacts.h"

#include <charconv>
#include <sstream>

#include "AAX_CString.h"
#include "ModuleQueries.h"

namespace {
// A number written with a decimal point, whatever the locale.
bool ParseCDecimal(const std::string& text, double* value) {
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, *value);
    return parsed.ec == std::errc() && parsed.ptr == end;
}

std::string TextOf(const AAX_IACFEffectParameters& model, const std::string& parameterID, double normalized) {
    AAX_CString text;
    if (model.GetParameterStringFromValue(parameterID.c_str(), normalized, &text, 64) != AAX_SUCCESS) return "";
    return text.Get();
}
}  // namespace

std::vector<ValueName> QueryValueNames(const AAX_IACFEffectParameters& model) {
    std::vector<char> buffer(ModuleQuery::kValueNamesCapacity);
    uint32_t written = 0;
    if (model.GetCustomData(ModuleQuery::kValueNames, uint32_t(buffer.size()), buffer.data(), &written) !=
            AAX_SUCCESS ||
        written == 0 || written > buffer.size())
        return {};
    std::vector<ValueName> names;
    std::istringstream lines(std::string(buffer.data(), written));
    std::string line;
    while (std::getline(lines, line)) {
        const size_t first = line.find('\t');
        const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
        if (second == std::string::npos) continue;
        ValueName entry;
        entry.parameterID = line.substr(0, first);
        entry.name = line.substr(second + 1);
        if (!ParseCDecimal(line.substr(first + 1, second - first - 1), &entry.normalized) || entry.name.empty())
            continue;
        names.push_back(entry);
    }
    return names;
}

std::vector<ValueName> ValueNamesOf(const std::vector<ValueName>& names, const std::string& parameterID) {
    std::vector<ValueName> of;
    for (const ValueName& entry : names)
        if (entry.parameterID == parameterID) of.push_back(entry);
    return of;
}

std::string NameForValue(const AAX_IACFEffectParameters& model, const std::vector<ValueName>& names,
                         const std::string& parameterID, double normalized) {
    // The word whose value the parameter shows the same way: the value the
    // normalized one stands for after the parameter's own stepping.
    const std::string shown = TextOf(model, parameterID, normalized);
    for (const ValueName& entry : names)
        if (entry.parameterID == parameterID && !shown.empty() && TextOf(model, parameterID, entry.normalized) == shown)
            return entry.name;
    return "";
}

std::string QueryParameterWithRole(const AAX_IACFEffectParameters& model, const std::string& role) {
    std::vector<char> buffer(ModuleQuery::kValueNamesCapacity);
    uint32_t written = 0;
    if (model.GetCustomData(ModuleQuery::kParameterRoles, uint32_t(buffer.size()), buffer.data(), &written) !=
            AAX_SUCCESS ||
        written > buffer.size())
        return "";
    std::istringstream lines(std::string(buffer.data(), written));
    std::string line;
    while (std::getline(lines, line)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos && line.substr(tab + 1) == role) return line.substr(0, tab);
    }
    return "";
}

int32_t QuerySignalDelay(const AAX_IACFEffectParameters& model, int32_t fallback) {
    int32_t delay = 0;
    uint32_t written = 0;
    if (model.GetCustomData(ModuleQuery::kSignalDelay, sizeof delay, &delay, &written) != AAX_SUCCESS ||
        written != sizeof delay || delay < 0)
        return fallback;
    return delay;
}
