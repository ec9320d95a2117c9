// Shows a number in fixed-point notation with Precision digits after the
// point ("3.00", "-6.00"), followed by SpaceAfter blanks (0: nothing follows
// the digits). Parses text as a leading number, skipping leading blanks and
// ignoring whatever follows it (" 2.5dB" reads as 2.5).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "AAX_IDisplayDelegate.h"

template <typename T, uint32_t Precision = 2, uint32_t SpaceAfter = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T> {
public:
    AAX_CNumberDisplayDelegate* Clone() const override { return new AAX_CNumberDisplayDelegate(*this); }

    bool ValueToString(T value, AAX_CString* valueString) const override {
        valueString->Clear();
        valueString->AppendNumber(double(value), Precision);
        for (uint32_t i = 0; i < SpaceAfter; ++i) valueString->Append(" ");
        return true;
    }

    // The same text cut to maxNumChars; a point left dangling at the cut is
    // dropped ("100.00" in 4 characters is "100", in 5 "100.0").
    bool ValueToString(T value, int32_t maxNumChars, AAX_CString* valueString) const override {
        ValueToString(value, valueString);
        const uint32_t limit = maxNumChars > 0 ? uint32_t(maxNumChars) : 0u;
        const uint32_t length = valueString->Length();
        if (length > limit) valueString->Erase(limit, length - limit);
        if (limit > 0 && valueString->Length() == limit && (*valueString)[limit - 1] == '.')
            valueString->Erase(limit - 1, 1);
        return true;
    }

    bool StringToValue(const AAX_CString& valueString, T* value) const override {
        double number = 0.0;
        if (!valueString.ToDouble(&number)) {
            *value = T(0);
            return false;
        }
        *value = FromDouble(number);
        return true;
    }

private:
    // Integers are truncated toward zero; values outside the type's range are
    // limited first, since converting them would be undefined.
    static T FromDouble(double number) {
        if constexpr (std::is_integral_v<T>) {
            if (std::isnan(number)) return T(0);
            constexpr double lowest = double(std::numeric_limits<T>::lowest());
            constexpr double highest = double(std::numeric_limits<T>::max());
            if (number <= lowest) return std::numeric_limits<T>::lowest();
            if (number >= highest) return std::numeric_limits<T>::max();
            return static_cast<T>(number);
        } else {
            if (!std::isnan(number)) {
                constexpr double highest = double(std::numeric_limits<T>::max());
                if (number > highest) return std::numeric_limits<T>::infinity();
                if (number < -highest) return -std::numeric_limits<T>::infinity();
            }
            return static_cast<T>(number);
        }
    }
};
