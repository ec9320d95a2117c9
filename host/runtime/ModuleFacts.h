// What a host learns about an effect from its data model beyond the
// parameter interface (ModuleQueries.h): the signal delay and the words
// that stand for values of stepped parameters. A module that answers
// neither simply has no delay to report and no words.
//
// Main thread (data-model calls).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AAX_IACFEffectParameters.h"

struct ValueName {
    std::string parameterID;
    double normalized = 0.0;
    std::string name;
};

// The value words the model reports, in its order; empty when it has none.
std::vector<ValueName> QueryValueNames(const AAX_IACFEffectParameters& model);
// The words of one parameter.
std::vector<ValueName> ValueNamesOf(const std::vector<ValueName>& names, const std::string& parameterID);
// The word for the value a normalized value of a parameter stands for, or
// empty when that value has none.
std::string NameForValue(const AAX_IACFEffectParameters& model, const std::vector<ValueName>& names,
                         const std::string& parameterID, double normalized);

// The parameter the model names for role (ModuleQueries.h), or empty.
std::string QueryParameterWithRole(const AAX_IACFEffectParameters& model, const std::string& role);

// The samples by which the output lags the input at the model's current
// rate, as the model reports it; fallback when it does not.
int32_t QuerySignalDelay(const AAX_IACFEffectParameters& model, int32_t fallback);
