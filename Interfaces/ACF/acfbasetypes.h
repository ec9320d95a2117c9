// Base types of the component object model: fixed-width integers, the
// 128-bit identifier that names interfaces and classes, and result codes.
#pragma once

#include <cstdint>
#include <cstring>

typedef int8_t   acfSInt8;
typedef uint8_t  acfUInt8;
typedef int16_t  acfSInt16;
typedef uint16_t acfUInt16;
typedef int32_t  acfSInt32;
typedef uint32_t acfUInt32;
typedef int64_t  acfSInt64;
typedef uint64_t acfUInt64;
typedef uint8_t  acfBool;

// Result of every component-framework call: 0 is success, values with the
// top bit set are failures.
typedef acfSInt32 ACFRESULT;

// A 128-bit identifier laid out as four 32-bit words. Two identifiers are
// equal when all four words are equal.
struct _acfUID {
    acfUInt32 Data1;
    acfUInt32 Data2;
    acfUInt32 Data3;
    acfUInt32 Data4;
};
typedef _acfUID acfUID;
typedef _acfUID acfIID;
typedef _acfUID acfCLSID;

inline constexpr bool operator==(const _acfUID& a, const _acfUID& b) {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 && a.Data4 == b.Data4;
}
inline constexpr bool operator!=(const _acfUID& a, const _acfUID& b) { return !(a == b); }
// Strict ordering, so identifiers can key ordered containers.
inline constexpr bool operator<(const _acfUID& a, const _acfUID& b) {
    if (a.Data1 != b.Data1) return a.Data1 < b.Data1;
    if (a.Data2 != b.Data2) return a.Data2 < b.Data2;
    if (a.Data3 != b.Data3) return a.Data3 < b.Data3;
    return a.Data4 < b.Data4;
}

// Result codes of the component framework. They are defined through their
// unsigned bit patterns; ACFRESULT holds them as signed 32-bit values.
constexpr ACFRESULT ACF_OK = 0;
constexpr ACFRESULT ACF_E_NOINTERFACE = static_cast<ACFRESULT>(0x80000004u);  // no such interface
constexpr ACFRESULT ACF_E_POINTER     = static_cast<ACFRESULT>(0x80000005u);  // null interface pointer used
constexpr ACFRESULT ACF_E_UNEXPECTED  = static_cast<ACFRESULT>(0x8000FFFFu);  // exception reached an entry point
constexpr ACFRESULT ACF_E_CLASSNOTREG = static_cast<ACFRESULT>(0x80000012u);  // factory knows no such class
constexpr ACFRESULT ACF_E_INVALIDARG  = static_cast<ACFRESULT>(0x80000003u);  // a required argument is null
constexpr ACFRESULT ACF_E_OUTOFMEMORY = static_cast<ACFRESULT>(0x8000000Eu);

inline constexpr bool ACFSUCCEEDED(ACFRESULT r) { return r >= 0; }
inline constexpr bool ACFFAILED(ACFRESULT r) { return r < 0; }
