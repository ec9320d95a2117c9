// Shows an on/off value as one of two texts and parses exactly those texts
// back (case-sensitive); any other text is refused.
#pragma once

#include "AAX_IDisplayDelegate.h"

template <typename T>
class AAX_CBinaryDisplayDelegate : public AAX_IDisplayDelegate<T> {
public:
    AAX_CBinaryDisplayDelegate(const char* falseString, const char* trueString)
        : m_FalseString(falseString), m_TrueString(trueString) {}

    AAX_CBinaryDisplayDelegate* Clone() const override { return new AAX_CBinaryDisplayDelegate(*this); }

    bool ValueToString(T value, AAX_CString* valueString) const override {
        *valueString = value ? m_TrueString : m_FalseString;
        return true;
    }

    // Both texts are shown in full whatever the limit.
    bool ValueToString(T value, int32_t /*maxNumChars*/, AAX_CString* valueString) const override {
        return ValueToString(value, valueString);
    }

    bool StringToValue(const AAX_CString& valueString, T* value) const override {
        if (valueString == m_TrueString) {
            *value = true;
            return true;
        }
        *value = false;
        return valueString == m_FalseString;
    }

private:
    AAX_CString m_FalseString;
    AAX_CString m_TrueString;
};
