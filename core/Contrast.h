#pragma once
// How well text of one colour reads on another: the contrast ratio of their
// relative luminances (1:1 for equal colours, 21:1 for black on white), and
// the text colour the program draws so that text stays readable.
#include <cstdint>

namespace Contrast {

// Text is readable from this ratio on.
constexpr double Readable = 4.5;

// Colours in the program's form (red in the low byte).
double ratio(uint32_t a, uint32_t b);

// The text colour darkened toward black (on a light background) or lightened
// toward white (on a dark one), keeping its hue, just far enough to reach
// `minimum` against the background; the colour itself when it already does.
uint32_t readableOn(uint32_t text, uint32_t background, double minimum = Readable);

} // namespace Contrast
