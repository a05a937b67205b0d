#pragma once

#include <cstdint>

struct Rgb {
    uint8_t r{};
    uint8_t g{};
    uint8_t b{};
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};

// The grey of the chart's background, the dialogs and the toolbar images'
// background.
constexpr Rgb kFaceGrey{192, 192, 192};

// As an opaque 0xAARRGGBB value, the layout of Qt's QRgb.
constexpr uint32_t ToArgb(Rgb color)
{
    return 0xff000000u | uint32_t{color.r} << 16 | uint32_t{color.g} << 8 | uint32_t{color.b};
}
