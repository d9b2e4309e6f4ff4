#pragma once
#include <cstdint>

// Colours travel through the program as 32-bit values with red in the low
// byte, then green, then blue (0x0000FF is red, 0xFF0000 is blue).
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
constexpr uint32_t Blue = 0xFF0000;
constexpr uint32_t Violet = 0xED05D6;
constexpr uint32_t BlueGreen = 0xC0C000;
constexpr uint32_t DarkBlueGreen = 0x808000;

// Each sensor's colour (1..6 at 0..5): its gauge's pointer, its chart lines
// and its colour lamp. Aqua, lime, light blue, purple, yellow and teal.
constexpr uint32_t Sensor[6] = {0xFFFF00, 0x00FF00, 0x3E3EFF, 0xFF2E96, 0x00FFFF, 0x029983};
} // namespace Colours
