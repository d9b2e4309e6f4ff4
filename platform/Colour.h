#pragma once
#include <QColor>
#include <cstdint>

// Colours travel through the program as 32-bit values with red in the low
// byte, then green, then blue (0x0000FF is red, 0xFF0000 is blue).
// These two functions are the only place that converts them.
inline QColor toQColor(uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline uint32_t fromQColor(const QColor& colour)
{
    return uint32_t(colour.red()) | (uint32_t(colour.green()) << 8) | (uint32_t(colour.blue()) << 16);
}

namespace Colours {
constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Red = 0x0000FF;
constexpr uint32_t Green = 0x008000;
constexpr uint32_t Lime = 0x00FF00;
constexpr uint32_t Yellow = 0x00FFFF;
constexpr uint32_t Silver = 0xC0C0C0;
constexpr uint32_t Orange = 0x0080FF;
constexpr uint32_t Maroon = 0x000080;
constexpr uint32_t Aqua = 0xFFFF00;
} // namespace Colours
