#include "ParameterValueParser.h"


#include "AAX_CString.h"
#include "toolkit/TypedText.h"

namespace {
ParameterValueParser::Result Refuse(ParameterValueParser::Outcome outcome, const std::string& parameterID,
                                    std::string message) {
    ParameterValueParser::Result result;
    result.outcome = outcome;
    result.parameterID = parameterID;
    result.message = std::move(message);
    return result;
}
}  // namespace

ParameterValueParser::ParameterValueParser(const AAX_IACFEffectParameters& model, std::vector<Alias> aliases)
    : m_Model(model), m_Aliases(std::move(aliases)) {}

bool ParameterValueParser::IsParameter(const std::string& parameterID) const {
    int32_t index = -1;
    return m_Model.GetParameterIndex(parameterID.c_str(), &index) == AAX_SUCCESS && index >= 0;
}

std::vector<std::string> ParameterValueParser::NamedParameterIDs() const {
    int32_t count = 0;
    m_Model.GetNumberOfParameters(&count);
    std::vector<std::string> identifiers;
    for (int32_t index = 0; index < count; ++index) {
        AAX_CString identifier;
        if (m_Model.GetParameterIDFromIndex(index, &identifier) == AAX_SUCCESS && identifier.Length() > 0)
            identifiers.push_back(identifier.Get());
    }
    return identifiers;
}

std::string ParameterValueParser::RangeText(const std::string& parameterID) const {
    AAX_CString lowest, highest;
    m_Model.GetParameterStringFromValue(parameterID.c_str(), 0.0, &lowest, 32);
    m_Model.GetParameterStringFromValue(parameterID.c_str(), 1.0, &highest, 32);
    return std::string(lowest.Get()) + " to " + highest.Get();
}

const ParameterValueParser::Alias* ParameterValueParser::FindAlias(const std::string& parameterID,
                                                                    const std::string& text) const {
    std::vector<const Alias*> ofParameter;
    std::vector<std::string> names;
    for (const Alias& alias : m_Aliases)
        if (alias.parameterID == parameterID) {
            ofParameter.push_back(&alias);
            names.push_back(alias.name);
        }
    const int found = TypedText::FindWord(text.c_str(), names, TypedText::WordMatch::Whole);
    return found < 0 ? nullptr : ofParameter[size_t(found)];
}

std::string ParameterValueParser::AliasNames(const std::string& parameterID) const {
    std::string names;
    for (const Alias& alias : m_Aliases)
        if (alias.parameterID == parameterID) names += (names.empty() ? "" : ", ") + alias.name;
    return names;
}

ParameterValueParser::Result ParameterValueParser::Parse(const std::string& parameterID,
                                                         const std::string& text) const {
    if (!IsParameter(parameterID)) {
        std::string known;
        for (const std::string& identifier : NamedParameterIDs()) known += (known.empty() ? "" : ", ") + identifier;
        return Refuse(Outcome::UnknownParameter, parameterID,
                      "unknown parameter '" + parameterID + "' (parameters: " + known + ")");
    }
    if (const Alias* alias = FindAlias(parameterID, text)) {
        Result result;
        result.outcome = Outcome::Parsed;
        result.parameterID = parameterID;
        result.normalizedValue = alias->normalized;
        return result;
    }
    const std::string& valueText = text;
    // The model's own parsing reads a leading number and ignores the rest
    // ("40abc" is 40, "2.9" is colour 2); typed values must be exact.
    const bool stepped = IsStepped(parameterID);
    if (!TypedText::IsPlainNumber(valueText, stepped)) return RefuseForm(parameterID, text, stepped);
    double normalized = 0.0;
    if (m_Model.GetParameterValueFromString(parameterID.c_str(), &normalized, AAX_CString(valueText)) ==
        AAX_SUCCESS) {
        Result result;
        result.outcome = Outcome::Parsed;
        result.parameterID = parameterID;
        result.normalizedValue = normalized;
        return result;
    }
    if (TypedText::StartsWithNumber(valueText))
        return Refuse(Outcome::OutOfRange, parameterID,
                      "value '" + text + "' for " + parameterID + " lies outside its range " + RangeText(parameterID));
    return RefuseForm(parameterID, text, stepped);
}

bool ParameterValueParser::IsStepped(const std::string& parameterID) const {
    AAX_EParameterType type = AAX_eParameterType_Continuous;
    return m_Model.GetParameterType(parameterID.c_str(), &type) == AAX_SUCCESS && type == AAX_eParameterType_Discrete;
}

ParameterValueParser::Result ParameterValueParser::RefuseForm(const std::string& parameterID,
                                                              const std::string& text, bool stepped) const {
    const std::string names = AliasNames(parameterID);
    return Refuse(Outcome::NotAValue, parameterID,
                  "'" + text + "' is not a value of " + parameterID + " (expected " +
                      (stepped ? "a whole number from " : "a plain decimal number from ") + RangeText(parameterID) +
                      (stepped ? "" : " such as 40 or -2.5") +
                      (names.empty() ? "" : ", or one of " + names) + ")");
}

ParameterValueParser::Result ParameterValueParser::ParseAssignment(const std::string& assignment) const {
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0)
        return Refuse(Outcome::NotAValue, "", "'" + assignment + "' is not of the form ID=VALUE");
    return Parse(assignment.substr(0, equals), assignment.substr(equals + 1));
}
