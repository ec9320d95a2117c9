// Facts a host may ask a module's data model for, beyond the parameter
// interface, through GetCustomData(block identifier, size, buffer, written).
// A module that does not know a block writes nothing (0 bytes written); the
// host then goes without the fact.
//
// Main thread, like every data-model call.
#pragma once

#include <cstdint>

namespace ModuleQuery {

// The samples by which the processed signal lags the input at the current
// sample rate: one int32_t. Unlike the latency a description declares, this
// is the delay a host has to take away to line the output up with the input.
constexpr uint32_t kSignalDelay = 0x646C6179;  // 'dlay'

// The words that stand for values of stepped parameters, as text: one line
// per word, "<identifier>\t<normalized value>\t<word>\n", the normalized
// value written with a decimal point and enough digits to read back exactly.
// A buffer too small for the whole text gets nothing (0 bytes written).
constexpr uint32_t kValueNames = 0x766E616D;  // 'vnam'

// What parameters do, for a host that measures the effect: one line per
// parameter with a role, "<identifier>\t<role>\n". Roles: "blend" (how much
// of the effect is mixed in), "drive" (how hard it works), "character"
// (which kind of effect, a stepped parameter with value words).
constexpr uint32_t kParameterRoles = 0x726F6C65;  // 'role'

// Room enough for the value names or roles of any module this host loads.
constexpr uint32_t kValueNamesCapacity = 16384;

}  // namespace ModuleQuery
