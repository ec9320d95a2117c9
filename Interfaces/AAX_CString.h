// AAX_CString: the owning, growable 8-bit string used wherever text crosses
// an interface, with locale-independent number formatting and parsing.
#pragma once

#include <cstdint>
#include <string>

#include "AAX_IString.h"

class AAX_CString : public AAX_IString {
public:
    AAX_CString() = default;
    // Copies text; a null pointer gives the empty text.
    AAX_CString(const char* text);  // NOLINT: implicit on purpose, like the standard string
    AAX_CString(const AAX_CString& other) = default;
    explicit AAX_CString(const AAX_IString& other);
    explicit AAX_CString(const std::string& text) : m_String(text) {}
    ~AAX_CString() override = default;

    // ---- AAX_IString ----
    uint32_t Length() const override;
    // 2^32 - 2.
    uint32_t MaxLength() const override;
    const char* Get() const override;
    void Set(const char* text) override;
    AAX_IString& operator=(const AAX_IString& other) override;
    AAX_IString& operator=(const char* text) override;

    AAX_CString& operator=(const AAX_CString& other);

    // The text, the same as Get().
    const char* CString() const;
    const std::string& StdString() const { return m_String; }
    void Clear();
    // Removes count bytes from position on; a range past the end stops at
    // the end, a position past the end removes nothing.
    AAX_CString& Erase(uint32_t position, uint32_t count);
    // Appends text (null appends nothing).
    AAX_CString& Append(const char* text);
    AAX_CString& Append(const AAX_CString& text);
    // Appends value in fixed-point notation with exactly precision digits
    // after the point ("3.00", "-0.50"), independent of the global locale.
    AAX_CString& AppendNumber(double value, uint32_t precision);
    // Reads a number from the start of the text as stream extraction of a
    // double does (leading white space skipped, trailing text ignored),
    // independent of the global locale. On failure writes 0.0 and returns false.
    bool ToDouble(double* outValue) const;

    // Writable byte at index; no bounds test.
    char& operator[](uint32_t index);
    const char& operator[](uint32_t index) const;

    // Byte-wise comparison of the zero-terminated texts.
    bool operator==(const AAX_CString& other) const;
    bool operator!=(const AAX_CString& other) const;
    // Orders texts byte-wise, so strings can key ordered containers.
    bool operator<(const AAX_CString& other) const;

private:
    std::string m_String;
};
