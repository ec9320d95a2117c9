// One automatable control of the effect: a typed real value mapped to and
// from the host's normalized range 0.0 .. 1.0 by a taper delegate, rendered
// and parsed by a display delegate, and reported to the host's automation
// delegate on every change.
//
// Threads: the host's main thread (through the data model) and the user
// interface thread (through the editor's calls into the data model), one
// caller at a time; a parameter takes no locks. The audio thread never
// touches parameters: it reads the knob packet.
#pragma once

#include <cstdint>

#include "AAX.h"
#include "AAX_CString.h"
#include "AAX_IString.h"

class AAX_IAutomationDelegate;
class AAX_ITaperDelegateBase;
class AAX_IDisplayDelegateBase;

class AAX_IParameter {
public:
    virtual ~AAX_IParameter() = default;

    // ---- identity and names ----
    virtual AAX_CParamID Identifier() const = 0;
    virtual void SetName(const AAX_CString& name) = 0;
    virtual const AAX_CString& Name() const = 0;
    // Stores the text under its own length, replacing one of the same length.
    virtual void AddShortenedName(const AAX_CString& name) = 0;
    // The full name if it fits in maxNumChars or there are no shortened
    // names; else the longest shortened name that fits, else the shortest.
    virtual const AAX_CString& ShortenedName(int32_t maxNumChars) const = 0;
    virtual void ClearShortenedNames() = 0;

    // ---- automation ----
    virtual bool Automatable() const = 0;
    // Unregisters from the previous delegate, registers with the new one (may
    // be null: detached).
    virtual void SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate) = 0;
    virtual void Touch() = 0;
    virtual void Release() = 0;

    // ---- normalized values ----
    // A local change: stored at once when detached, otherwise requested from
    // the host, which answers through UpdateNormalizedValue.
    virtual void SetNormalizedValue(double normalizedValue) = 0;
    virtual double GetNormalizedValue() const = 0;
    virtual void SetNormalizedDefaultValue(double normalizedDefault) = 0;
    virtual double GetNormalizedDefaultValue() const = 0;
    virtual void SetToDefaultValue() = 0;

    // ---- steps ----
    virtual void SetNumberOfSteps(uint32_t numSteps) = 0;
    virtual uint32_t GetNumberOfSteps() const = 0;
    virtual uint32_t GetStepValue() const = 0;
    virtual void SetStepValue(uint32_t step) = 0;

    // ---- text ----
    virtual bool GetValueString(AAX_CString* valueString) const = 0;
    // The length limit is not applied at this level: the full text.
    virtual bool GetValueString(int32_t maxNumChars, AAX_CString* valueString) const = 0;
    // Writes the normalized value of the parsed text (limited to the range);
    // true only when the text parsed and lay inside the range.
    virtual bool GetNormalizedValueFromString(const AAX_CString& valueString, double* normalizedValue) const = 0;
    virtual bool GetStringFromNormalizedValue(double normalizedValue, AAX_CString& valueString) const = 0;
    virtual bool GetStringFromNormalizedValue(double normalizedValue, int32_t maxNumChars,
                                              AAX_CString& valueString) const = 0;
    virtual bool SetValueFromString(const AAX_CString& valueString) = 0;

    // ---- typed access: only the accessors of the parameter's own type work ----
    virtual bool GetValueAsBool(bool* value) const = 0;
    virtual bool GetValueAsInt32(int32_t* value) const = 0;
    virtual bool GetValueAsFloat(float* value) const = 0;
    virtual bool GetValueAsDouble(double* value) const = 0;
    virtual bool GetValueAsString(AAX_IString* value) const = 0;
    virtual bool SetValueWithBool(bool value) = 0;
    virtual bool SetValueWithInt32(int32_t value) = 0;
    virtual bool SetValueWithFloat(float value) = 0;
    virtual bool SetValueWithDouble(double value) = 0;
    virtual bool SetValueWithString(const AAX_IString& value) = 0;

    // ---- presentation ----
    virtual void SetType(AAX_EParameterType type) = 0;
    virtual AAX_EParameterType GetType() const = 0;
    virtual void SetOrientation(AAX_EParameterOrientation orientation) = 0;
    virtual AAX_EParameterOrientation GetOrientation() const = 0;

    // ---- delegates (the parameter keeps clones) ----
    // The taper must be of the parameter's own value type; with keepValue
    // the real value stays, otherwise the normalized position stays.
    virtual void SetTaperDelegate(AAX_ITaperDelegateBase& taperDelegate, bool keepValue) = 0;
    virtual void SetDisplayDelegate(AAX_IDisplayDelegateBase& displayDelegate) = 0;

    // The host's answer to a set-value request (and host automation): the
    // only place where the stored value changes.
    virtual void UpdateNormalizedValue(double normalizedValue) = 0;
};
