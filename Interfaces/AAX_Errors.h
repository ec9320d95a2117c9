// Result codes of the host-interface boundary (32-bit signed, 0 success).
// The component framework's own codes (ACF_E_*) live in ACF/acfbasetypes.h.
#pragma once

#include <cstdint>

enum AAX_EError : int32_t {
    AAX_SUCCESS = 0,
    AAX_ERROR_INVALID_PARAMETER_ID = -20001,       // no parameter with that identifier or index
    AAX_ERROR_INVALID_STRING_CONVERSION = -20002,  // value cannot be converted to or from text
    AAX_ERROR_NULL_OBJECT = -20004,                // needed object or version-1 interface missing
    AAX_ERROR_INVALID_CHUNK_INDEX = -20006,        // no chunk with that index
    AAX_ERROR_INVALID_CHUNK_ID = -20007,           // chunk identifier is not the effect's
    AAX_ERROR_INCORRECT_CHUNK_SIZE = -20008,       // chunk size differs from the size reported before
    AAX_ERROR_UNIMPLEMENTED = -20009,              // operation (or the interface version offering it) not offered
    AAX_ERROR_NO_HOST_OBJECT = -20011,             // editor initialised without a host object
    AAX_ERROR_UNKNOWN_FIELD = -20025,              // a context field ResetFieldData does not handle
};
