// Decodes uncompressed Windows bitmap files (24 or 32 bits per pixel, rows
// bottom-up or top-down) into cairo image surfaces. Other variants
// (palettes, run-length or bit-field compression) are refused. The input is
// untrusted: every size and offset is checked against the data.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace VSTGUI {

class BMPImageDecoder {
public:
    // Largest width or height accepted, to bound the allocation.
    static constexpr int32_t kMaxDimension = 16384;

    // A new ARGB32 surface (opaque pixels) the caller destroys, or null when
    // the data is not a bitmap this decoder supports.
    static cairo_surface_t* decode(const uint8_t* data, size_t size);
    // Reads the file and decodes it; null when unreadable or unsupported.
    static cairo_surface_t* decodeFile(const std::string& path);
};

}  // namespace VSTGUI
