// AAX_IString: the abstract text of the host boundary, so that a string can
// be filled on one side of the boundary and read on the other. Text is a
// zero-terminated byte string; no character set conversion happens.
#pragma once

#include <cstdint>

class AAX_IString {
public:
    virtual ~AAX_IString() = default;
    // Bytes before the terminating zero.
    virtual uint32_t Length() const = 0;
    virtual uint32_t MaxLength() const = 0;
    // The text, zero-terminated; valid until the string is next changed.
    virtual const char* Get() const = 0;
    // Replaces the text (a null pointer gives the empty text).
    virtual void Set(const char* text) = 0;
    // Copies other's Get().
    virtual AAX_IString& operator=(const AAX_IString& other) = 0;
    virtual AAX_IString& operator=(const char* text) = 0;

protected:
    AAX_IString() = default;
    // Copying is the implementer's; declared so that implementations can
    // default their own copy constructors.
    AAX_IString(const AAX_IString&) = default;
};
