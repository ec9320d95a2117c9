#include "AAX_CParameter.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <type_traits>

#include "AAX_IAutomationDelegate.h"

template <typename T>
AAX_CParameter<T>::AAX_CParameter(AAX_CParamID identifier, const AAX_CString& name, T defaultValue,
                                  const AAX_ITaperDelegate<T>& taperDelegate,
                                  const AAX_IDisplayDelegate<T>& displayDelegate, bool automatable)
    : m_Name(name),
      m_Automatable(automatable),
      m_TaperDelegate(taperDelegate.Clone()),
      m_DisplayDelegate(displayDelegate.Clone()),
      m_Value(defaultValue),
      m_DefaultValue(defaultValue) {
    // Identifiers longer than the host allows are cut and stay terminated.
    std::memset(m_Identifier, 0, sizeof m_Identifier);
    if (identifier) std::strncpy(m_Identifier, identifier, sizeof m_Identifier - 1);
    if (m_NumSteps == 0) m_NumSteps = (m_Type == AAX_eParameterType_Discrete) ? 2 : 128;
    SetValue(m_DefaultValue);
}

template <typename T>
AAX_CParameter<T>::~AAX_CParameter() {
    SetAutomationDelegate(nullptr);
    delete m_TaperDelegate;
    delete m_DisplayDelegate;
}

// ---- names ----

template <typename T>
void AAX_CParameter<T>::AddShortenedName(const AAX_CString& name) {
    m_ShortenedNames[int32_t(name.Length())] = name;
}

template <typename T>
const AAX_CString& AAX_CParameter<T>::ShortenedName(int32_t maxNumChars) const {
    if (m_ShortenedNames.empty() || int64_t(m_Name.Length()) <= int64_t(maxNumChars)) return m_Name;
    // The map is ordered by length: the last entry not longer than the limit
    // fits best; when every one is longer, the shortest is the best there is.
    auto firstLonger = m_ShortenedNames.upper_bound(maxNumChars);
    if (firstLonger == m_ShortenedNames.begin()) return firstLonger->second;
    return std::prev(firstLonger)->second;
}

// ---- automation ----

template <typename T>
void AAX_CParameter<T>::SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate) {
    if (m_AutomationDelegate) m_AutomationDelegate->UnregisterParameter(Identifier());
    m_AutomationDelegate = automationDelegate;
    if (m_AutomationDelegate) m_AutomationDelegate->RegisterParameter(Identifier());
}

template <typename T>
void AAX_CParameter<T>::Touch() {
    if (m_AutomationDelegate) m_AutomationDelegate->PostTouchRequest(Identifier());
}

template <typename T>
void AAX_CParameter<T>::Release() {
    if (m_AutomationDelegate) m_AutomationDelegate->PostReleaseRequest(Identifier());
}

template <typename T>
void AAX_CParameter<T>::SetValue(T newValue) {
    const double normalizedValue = m_TaperDelegate->RealToNormalized(newValue);
    if (!m_AutomationDelegate) {
        m_NeedNotify = true;
        UpdateNormalizedValue(normalizedValue);
        return;
    }
    Touch();
    m_AutomationDelegate->PostSetValueRequest(Identifier(), normalizedValue);
    Release();
}

template <typename T>
void AAX_CParameter<T>::UpdateNormalizedValue(double normalizedValue) {
    const T newValue = m_TaperDelegate->NormalizedToReal(normalizedValue);
    if (!m_NeedNotify && newValue == m_Value) return;
    m_Value = newValue;
    if (m_AutomationDelegate) m_AutomationDelegate->PostCurrentValue(Identifier(), normalizedValue);
    m_NeedNotify = false;
}

// ---- normalized values and steps ----

template <typename T>
void AAX_CParameter<T>::SetNormalizedValue(double normalizedValue) {
    SetValue(m_TaperDelegate->NormalizedToReal(normalizedValue));
}

template <typename T>
double AAX_CParameter<T>::GetNormalizedValue() const {
    return m_TaperDelegate->RealToNormalized(m_Value);
}

template <typename T>
void AAX_CParameter<T>::SetNormalizedDefaultValue(double normalizedDefault) {
    m_DefaultValue = m_TaperDelegate->ConstrainRealValue(m_TaperDelegate->NormalizedToReal(normalizedDefault));
}

template <typename T>
double AAX_CParameter<T>::GetNormalizedDefaultValue() const {
    return m_TaperDelegate->RealToNormalized(m_DefaultValue);
}

template <typename T>
uint32_t AAX_CParameter<T>::GetStepValue() const {
    const uint32_t numSteps = GetNumberOfSteps();
    if (numSteps < 2) return 0;
    const double stepSize = 1.0 / double(numSteps - 1);
    double step = GetNormalizedValue() / stepSize + 0.5;
    if (!(step > 0.0)) step = 0.0;  // also catches a NaN
    if (step > double(numSteps - 1)) step = double(numSteps - 1);
    return uint32_t(step);
}

template <typename T>
void AAX_CParameter<T>::SetStepValue(uint32_t step) {
    const uint32_t numSteps = GetNumberOfSteps();
    if (numSteps < 2) return;
    double normalizedValue = double(step) * (1.0 / double(numSteps - 1));
    if (normalizedValue > 1.0) normalizedValue = 1.0;
    if (normalizedValue < 0.0) normalizedValue = 0.0;
    SetNormalizedValue(normalizedValue);
}

// ---- text ----

template <typename T>
bool AAX_CParameter<T>::IsWithinRange(T value) const {
    if constexpr (std::is_floating_point_v<T>) {
        if (std::isnan(value)) return false;  // a NaN is within no range
    }
    return !(value < m_TaperDelegate->GetMinimumValue()) && !(value > m_TaperDelegate->GetMaximumValue());
}

template <typename T>
bool AAX_CParameter<T>::GetValueString(AAX_CString* valueString) const {
    return m_DisplayDelegate->ValueToString(m_Value, valueString);
}

template <typename T>
bool AAX_CParameter<T>::GetValueString(int32_t /*maxNumChars*/, AAX_CString* valueString) const {
    return GetValueString(valueString);
}

template <typename T>
bool AAX_CParameter<T>::GetNormalizedValueFromString(const AAX_CString& valueString,
                                                      double* normalizedValue) const {
    T parsed;
    if (!m_DisplayDelegate->StringToValue(valueString, &parsed)) return false;
    *normalizedValue = m_TaperDelegate->RealToNormalized(parsed);
    return IsWithinRange(parsed);
}

template <typename T>
bool AAX_CParameter<T>::GetStringFromNormalizedValue(double normalizedValue, AAX_CString& valueString) const {
    const T realValue = m_TaperDelegate->NormalizedToReal(normalizedValue);
    if (!m_DisplayDelegate->ValueToString(realValue, &valueString)) return false;
    return IsWithinRange(realValue);
}

template <typename T>
bool AAX_CParameter<T>::GetStringFromNormalizedValue(double normalizedValue, int32_t maxNumChars,
                                                     AAX_CString& valueString) const {
    const T realValue = m_TaperDelegate->NormalizedToReal(normalizedValue);
    if (!m_DisplayDelegate->ValueToString(realValue, maxNumChars, &valueString)) return false;
    return IsWithinRange(realValue);
}

template <typename T>
bool AAX_CParameter<T>::SetValueFromString(const AAX_CString& valueString) {
    T parsed;
    if (!m_DisplayDelegate->StringToValue(valueString, &parsed)) return false;
    SetValue(parsed);
    return true;
}

// ---- typed access: only the accessor of T's own type works ----

namespace {

// Copies the value out when the requested type is the parameter's own type.
template <typename T, typename U>
bool ReadIfSameType(const T& from, U* to) {
    if constexpr (std::is_same_v<T, U>) {
        *to = from;
        return true;
    } else {
        (void)from;
        (void)to;
        return false;
    }
}

// Hands the value to set() when its type is the parameter's own type.
template <typename T, typename U, typename Setter>
bool WriteIfSameType(U value, Setter&& set) {
    if constexpr (std::is_same_v<T, U>) {
        set(value);
        return true;
    } else {
        (void)value;
        (void)set;
        return false;
    }
}

}  // namespace

template <typename T>
bool AAX_CParameter<T>::GetValueAsBool(bool* value) const { return ReadIfSameType(m_Value, value); }

template <typename T>
bool AAX_CParameter<T>::GetValueAsInt32(int32_t* value) const { return ReadIfSameType(m_Value, value); }

template <typename T>
bool AAX_CParameter<T>::GetValueAsFloat(float* value) const { return ReadIfSameType(m_Value, value); }

template <typename T>
bool AAX_CParameter<T>::SetValueWithBool(bool value) {
    return WriteIfSameType<T>(value, [this](T typed) { SetValue(typed); });
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithInt32(int32_t value) {
    return WriteIfSameType<T>(value, [this](T typed) { SetValue(typed); });
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithFloat(float value) {
    return WriteIfSameType<T>(value, [this](T typed) { SetValue(typed); });
}

// ---- delegates ----

template <typename T>
void AAX_CParameter<T>::SetTaperDelegate(AAX_ITaperDelegateBase& taperDelegate, bool keepValue) {
    // A taper of another value type cannot serve this parameter: ignored.
    const auto* typedTaper = dynamic_cast<const AAX_ITaperDelegate<T>*>(&taperDelegate);
    if (!typedTaper) return;
    const double normalizedValue = GetNormalizedValue();
    AAX_ITaperDelegate<T>* oldTaper = m_TaperDelegate;
    m_TaperDelegate = typedTaper->Clone();
    delete oldTaper;
    m_NeedNotify = true;
    if (keepValue)
        SetValue(m_Value);
    else
        UpdateNormalizedValue(normalizedValue);
}

template <typename T>
void AAX_CParameter<T>::SetDisplayDelegate(AAX_IDisplayDelegateBase& displayDelegate) {
    const auto* typedDisplay = dynamic_cast<const AAX_IDisplayDelegate<T>*>(&displayDelegate);
    if (!typedDisplay) return;
    AAX_IDisplayDelegate<T>* oldDisplay = m_DisplayDelegate;
    m_DisplayDelegate = typedDisplay->Clone();
    delete oldDisplay;
    if (m_AutomationDelegate) m_AutomationDelegate->PostCurrentValue(Identifier(), GetNormalizedValue());
}

template class AAX_CParameter<float>;
template class AAX_CParameter<int32_t>;
template class AAX_CParameter<bool>;
