// The parameter of the effect, over its value type T (float, int or bool).
//
// A local change (SetValue and everything that leads to it) never changes the
// value by itself once an automation delegate is attached: it becomes a
// touch, a set-value request and a release to the host, and the value changes
// when the host answers through UpdateNormalizedValue. A detached parameter
// answers itself at once.
//
// Threads: as AAX_IParameter (main or user-interface thread, one at a time).
#pragma once

#include <cstdint>
#include <map>

#include "AAX_IDisplayDelegate.h"
#include "AAX_IParameter.h"
#include "AAX_ITaperDelegate.h"

template <typename T>
class AAX_CParameter : public AAX_IParameter {
public:
    // Keeps clones of both delegates; the value starts at the default.
    AAX_CParameter(AAX_CParamID identifier, const AAX_CString& name, T defaultValue,
                   const AAX_ITaperDelegate<T>& taperDelegate,
                   const AAX_IDisplayDelegate<T>& displayDelegate, bool automatable);
    AAX_CParameter(const AAX_CParameter&) = delete;
    AAX_CParameter& operator=(const AAX_CParameter&) = delete;
    // Detaches the automation delegate (which unregisters the identifier).
    ~AAX_CParameter() override;

    AAX_CParamID Identifier() const override { return m_Identifier; }
    void SetName(const AAX_CString& name) override { m_Name = name; }
    const AAX_CString& Name() const override { return m_Name; }
    void AddShortenedName(const AAX_CString& name) override;
    const AAX_CString& ShortenedName(int32_t maxNumChars) const override;
    void ClearShortenedNames() override { m_ShortenedNames.clear(); }

    bool Automatable() const override { return m_Automatable; }
    void SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate) override;
    void Touch() override;
    void Release() override;

    void SetNormalizedValue(double normalizedValue) override;
    double GetNormalizedValue() const override;
    void SetNormalizedDefaultValue(double normalizedDefault) override;
    double GetNormalizedDefaultValue() const override;
    void SetToDefaultValue() override { SetValue(m_DefaultValue); }

    void SetNumberOfSteps(uint32_t numSteps) override { m_NumSteps = numSteps; }
    uint32_t GetNumberOfSteps() const override { return m_NumSteps; }
    uint32_t GetStepValue() const override;
    void SetStepValue(uint32_t step) override;

    bool GetValueString(AAX_CString* valueString) const override;
    bool GetValueString(int32_t maxNumChars, AAX_CString* valueString) const override;
    bool GetNormalizedValueFromString(const AAX_CString& valueString, double* normalizedValue) const override;
    bool GetStringFromNormalizedValue(double normalizedValue, AAX_CString& valueString) const override;
    bool GetStringFromNormalizedValue(double normalizedValue, int32_t maxNumChars,
                                      AAX_CString& valueString) const override;
    bool SetValueFromString(const AAX_CString& valueString) override;

    bool GetValueAsBool(bool* value) const override;
    bool GetValueAsInt32(int32_t* value) const override;
    bool GetValueAsFloat(float* value) const override;
    bool GetValueAsDouble(double* value) const override { (void)value; return false; }
    bool GetValueAsString(AAX_IString* value) const override { (void)value; return false; }
    bool SetValueWithBool(bool value) override;
    bool SetValueWithInt32(int32_t value) override;
    bool SetValueWithFloat(float value) override;
    bool SetValueWithDouble(double value) override { (void)value; return false; }
    bool SetValueWithString(const AAX_IString& value) override { (void)value; return false; }

    void SetType(AAX_EParameterType type) override { m_Type = type; }
    AAX_EParameterType GetType() const override { return m_Type; }
    void SetOrientation(AAX_EParameterOrientation orientation) override { m_Orientation = orientation; }
    AAX_EParameterOrientation GetOrientation() const override { return m_Orientation; }

    void SetTaperDelegate(AAX_ITaperDelegateBase& taperDelegate, bool keepValue) override;
    void SetDisplayDelegate(AAX_IDisplayDelegateBase& displayDelegate) override;

    void UpdateNormalizedValue(double normalizedValue) override;

    // The one entry for every local change of value (see the class comment).
    void SetValue(T newValue);
    // The current real value and the default.
    T GetValue() const { return m_Value; }
    T GetDefaultValue() const { return m_DefaultValue; }
    const AAX_ITaperDelegate<T>* TaperDelegate() const { return m_TaperDelegate; }
    const AAX_IDisplayDelegate<T>* DisplayDelegate() const { return m_DisplayDelegate; }

private:
    // Inside the taper's range, both limits included.
    bool IsWithinRange(T value) const;

    char m_Identifier[kAAX_ParameterIdentifierMaxSize];
    AAX_CString m_Name;
    std::map<int32_t, AAX_CString> m_ShortenedNames;
    bool m_Automatable;
    uint32_t m_NumSteps = 0;
    AAX_EParameterType m_Type = AAX_eParameterType_Continuous;
    AAX_EParameterOrientation m_Orientation = AAX_eParameterOrientation_Default;
    AAX_ITaperDelegate<T>* m_TaperDelegate;
    AAX_IDisplayDelegate<T>* m_DisplayDelegate;
    AAX_IAutomationDelegate* m_AutomationDelegate = nullptr;
    bool m_NeedNotify = true;
    T m_Value;
    T m_DefaultValue;
};

extern template class AAX_CParameter<float>;
extern template class AAX_CParameter<int32_t>;
extern template class AAX_CParameter<bool>;
