#include "AAX_CString.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <locale>
#include <sstream>

namespace {

// A double's fractional part is a multiple of 2^-1074, so it never has more
// than 1074 significant decimal places; every digit requested beyond that is
// a zero. Formatting at most this many through the stream keeps its working
// buffer bounded whatever precision a caller asks for.
constexpr uint32_t kMaxSignificantFractionDigits = 1074;

}  // namespace

AAX_CString::AAX_CString(const char* text) : m_String(text ? text : "") {}

AAX_CString::AAX_CString(const AAX_IString& other) : m_String(other.Get()) {}

uint32_t AAX_CString::Length() const { return static_cast<uint32_t>(m_String.length()); }

uint32_t AAX_CString::MaxLength() const { return 4294967294u; }

const char* AAX_CString::Get() const { return m_String.c_str(); }

void AAX_CString::Set(const char* text) { m_String.assign(text ? text : ""); }

AAX_IString& AAX_CString::operator=(const AAX_IString& other) {
    if (&other != this) Set(other.Get());
    return *this;
}

AAX_IString& AAX_CString::operator=(const char* text) {
    Set(text);
    return *this;
}

AAX_CString& AAX_CString::operator=(const AAX_CString& other) {
    m_String = other.m_String;
    return *this;
}

const char* AAX_CString::CString() const { return Get(); }

void AAX_CString::Clear() { m_String.clear(); }

AAX_CString& AAX_CString::Erase(uint32_t position, uint32_t count) {
    if (position < m_String.size()) m_String.erase(position, std::min<size_t>(count, m_String.size() - position));
    return *this;
}

AAX_CString& AAX_CString::Append(const char* text) {
    if (text) m_String.append(text);
    return *this;
}

AAX_CString& AAX_CString::Append(const AAX_CString& text) {
    m_String.append(text.m_String);
    return *this;
}

AAX_CString& AAX_CString::AppendNumber(double value, uint32_t precision) {
    const uint32_t formatted = std::min(precision, kMaxSignificantFractionDigits);
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream.setf(std::ios::fixed, std::ios::floatfield);
    stream.precision(static_cast<std::streamsize>(formatted));
    stream << value;
    m_String.append(stream.str());
    // Non-finite values have no fraction digits to pad.
    if (precision > formatted && std::isfinite(value)) m_String.append(precision - formatted, '0');
    return *this;
}

bool AAX_CString::ToDouble(double* outValue) const {
    std::istringstream stream(m_String);
    stream.imbue(std::locale::classic());
    double value = 0.0;
    stream >> value;
    const bool ok = !stream.fail();
    if (outValue) *outValue = ok ? value : 0.0;
    return ok;
}

char& AAX_CString::operator[](uint32_t index) { return m_String[index]; }

const char& AAX_CString::operator[](uint32_t index) const { return m_String[index]; }

bool AAX_CString::operator==(const AAX_CString& other) const {
    return std::strcmp(m_String.c_str(), other.m_String.c_str()) == 0;
}

bool AAX_CString::operator!=(const AAX_CString& other) const { return !(*this == other); }

bool AAX_CString::operator<(const AAX_CString& other) const {
    return std::strcmp(m_String.c_str(), other.m_String.c_str()) < 0;
}
