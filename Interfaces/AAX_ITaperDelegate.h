// Taper delegates map a parameter's real value to and from the host's
// normalized range 0.0 .. 1.0. A parameter owns a clone of its taper.
#pragma once

// Untyped base, so that a parameter can be handed a taper through one
// signature whatever its value type.
class AAX_ITaperDelegateBase {
public:
    virtual ~AAX_ITaperDelegateBase() = default;
};

template <typename T>
class AAX_ITaperDelegate : public AAX_ITaperDelegateBase {
public:
    ~AAX_ITaperDelegate() override = default;

    // A new heap copy; the caller owns it.
    virtual AAX_ITaperDelegate* Clone() const = 0;
    virtual T GetMaximumValue() const = 0;
    virtual T GetMinimumValue() const = 0;
    // Limits a real value to the taper's range (and precision).
    virtual T ConstrainRealValue(T value) const = 0;
    virtual T NormalizedToReal(double normalizedValue) const = 0;
    virtual double RealToNormalized(T realValue) const = 0;
};
