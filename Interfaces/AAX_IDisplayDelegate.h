// Display delegates render a parameter's real value as text and parse text
// back into a value. A parameter owns a clone of its display delegate.
#pragma once

#include <cstdint>

#include "AAX_CString.h"

// Untyped base, so that a parameter can be handed a display delegate through
// one signature whatever its value type.
class AAX_IDisplayDelegateBase {
public:
    virtual ~AAX_IDisplayDelegateBase() = default;
};

template <typename T>
class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase {
public:
    ~AAX_IDisplayDelegate() override = default;

    // A new heap copy; the caller owns it.
    virtual AAX_IDisplayDelegate* Clone() const = 0;
    virtual bool ValueToString(T value, AAX_CString* valueString) const = 0;
    virtual bool ValueToString(T value, int32_t maxNumChars, AAX_CString* valueString) const = 0;
    virtual bool StringToValue(const AAX_CString& valueString, T* value) const = 0;
};
