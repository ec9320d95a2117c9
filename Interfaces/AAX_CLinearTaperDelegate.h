// A straight-line taper between a minimum and a maximum real value.
//
// RealPrecision P rounds real values: 0 means no rounding; a non-zero P
// passes values through R(x) = trunc(floor(x * P + 0.5) / P), so an image
// lying less than half a 1/P step below an integer is taken as that integer
// before the truncation (for int: 1.9996 gives 2, 1.9994 gives 1).
//
// Arithmetic is done in double. A NaN maps to the minimum and values beyond
// the range (infinities included) are limited to it before any conversion to
// T, so no input can make the value non-finite or overflow an integer.
#pragma once

#include <cmath>
#include <cstdint>

#include "AAX_ITaperDelegate.h"

template <typename T, int32_t RealPrecision = 1000>
class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T> {
public:
    AAX_CLinearTaperDelegate(T minValue = T(0), T maxValue = T(1))
        : m_MinValue(minValue), m_MaxValue(maxValue) {}

    AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate(*this); }
    T GetMaximumValue() const override { return m_MaxValue; }
    T GetMinimumValue() const override { return m_MinValue; }

    T ConstrainRealValue(T value) const override { return LimitToRange(Round(double(value))); }

    T NormalizedToReal(double normalizedValue) const override {
        const double minimum = double(m_MinValue);
        const double span = double(m_MaxValue) - minimum;
        return LimitToRange(Round(minimum + span * normalizedValue));
    }

    double RealToNormalized(T realValue) const override {
        const double minimum = double(m_MinValue);
        const double span = double(m_MaxValue) - minimum;
        if (span == 0.0) return 0.0;  // a one-point range has one position
        const double constrained = double(ConstrainRealValue(realValue));
        return (constrained - minimum) / span;
    }

private:
    // R(x) of the class comment, still in double so that limiting comes first.
    static double Round(double x) {
        if constexpr (RealPrecision == 0) return x;
        const double precision = double(RealPrecision);
        return std::trunc(std::floor(x * precision + 0.5) / precision);
    }

    // Limits in double, then converts: NaN becomes the minimum.
    T LimitToRange(double x) const {
        if (std::isnan(x)) return m_MinValue;
        if (x > double(m_MaxValue)) return m_MaxValue;
        if (x < double(m_MinValue)) return m_MinValue;
        return static_cast<T>(x);
    }

    T m_MinValue;
    T m_MaxValue;
};
