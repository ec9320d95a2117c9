// An 8-bit-per-channel colour with alpha, and the toolkit's named colours.
#pragma once

#include <cstdint>

namespace VSTGUI {

struct CColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;

    constexpr CColor() = default;
    constexpr CColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
        : red(r), green(g), blue(b), alpha(a) {}
    constexpr bool operator==(const CColor& o) const {
        return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
    }
    constexpr bool operator!=(const CColor& o) const { return !(*this == o); }
    // Packed as 0xAARRGGBB, the layout of the platform's pixel surfaces.
    constexpr uint32_t toARGB() const {
        return (uint32_t(alpha) << 24) | (uint32_t(red) << 16) | (uint32_t(green) << 8) | blue;
    }
};

constexpr CColor kTransparentCColor(255, 255, 255, 0);
constexpr CColor kBlackCColor(0, 0, 0);
constexpr CColor kWhiteCColor(255, 255, 255);
constexpr CColor kGreyCColor(127, 127, 127);
constexpr CColor kRedCColor(255, 0, 0);
constexpr CColor kGreenCColor(0, 255, 0);
constexpr CColor kBlueCColor(0, 0, 255);
constexpr CColor kYellowCColor(255, 255, 0);
constexpr CColor kCyanCColor(0, 255, 255);
constexpr CColor kMagentaCColor(255, 0, 255);

}  // namespace VSTGUI
