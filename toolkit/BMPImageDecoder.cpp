#include "BMPImageDecoder.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace VSTGUI {

namespace {

uint32_t readU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
uint16_t readU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderMinSize = 40;
constexpr uint32_t kCompressionNone = 0;

}  // namespace

cairo_surface_t* BMPImageDecoder::decode(const uint8_t* data, size_t size) {
    if (!data || size < kFileHeaderSize + kInfoHeaderMinSize) return nullptr;
    if (data[0] != 'B' || data[1] != 'M') return nullptr;
    const uint32_t pixelOffset = readU32(data + 10);
    const uint8_t* info = data + kFileHeaderSize;
    const uint32_t infoSize = readU32(info);
    if (infoSize < kInfoHeaderMinSize || infoSize > size - kFileHeaderSize) return nullptr;
    const int32_t width = int32_t(readU32(info + 4));
    const int32_t rawHeight = int32_t(readU32(info + 8));
    const uint16_t planes = readU16(info + 12);
    const uint16_t bitsPerPixel = readU16(info + 14);
    const uint32_t compression = readU32(info + 16);
    if (planes != 1 || compression != kCompressionNone) return nullptr;
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return nullptr;
    // A negative height marks rows stored top-down. Compare before negating
    // so that the most negative value cannot overflow.
    if (rawHeight == 0 || rawHeight < -kMaxDimension || rawHeight > kMaxDimension) return nullptr;
    if (width <= 0 || width > kMaxDimension) return nullptr;
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;

    const size_t bytesPerPixel = bitsPerPixel / 8;
    const size_t rowStride = (size_t(width) * bytesPerPixel + 3) & ~size_t(3);
    const uint64_t needed = uint64_t(pixelOffset) + uint64_t(rowStride) * uint64_t(height);
    if (pixelOffset < kFileHeaderSize + infoSize || needed > size) return nullptr;

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    uint8_t* pixels = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int32_t row = 0; row < height; ++row) {
        const int32_t sourceRow = topDown ? row : height - 1 - row;
        const uint8_t* source = data + pixelOffset + size_t(sourceRow) * rowStride;
        uint32_t* target = reinterpret_cast<uint32_t*>(pixels + size_t(row) * size_t(stride));
        for (int32_t x = 0; x < width; ++x, source += bytesPerPixel) {
            // Stored blue, green, red; the fourth byte of 32-bit pixels is
            // unused in uncompressed files, so every pixel is opaque.
            target[x] = 0xFF000000u | (uint32_t(source[2]) << 16) | (uint32_t(source[1]) << 8) |
                        uint32_t(source[0]);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

cairo_surface_t* BMPImageDecoder::decodeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return nullptr;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    return decode(bytes.data(), bytes.size());
}

}  // namespace VSTGUI
