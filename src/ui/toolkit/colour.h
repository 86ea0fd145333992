#pragma once

#include <cstdint>

// A 24-bit colour stored as red + 256 * green + 65536 * blue (red in the low byte).
struct Colour
{
    std::uint32_t value = 0;

    static constexpr Colour rgb(int r, int g, int b)
    {
        return Colour{
            static_cast<std::uint32_t>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16))};
    }
    constexpr int red() const { return static_cast<int>(value & 0xff); }
    constexpr int green() const { return static_cast<int>((value >> 8) & 0xff); }
    constexpr int blue() const { return static_cast<int>((value >> 16) & 0xff); }
    friend constexpr bool operator==(Colour, Colour) = default;
};
