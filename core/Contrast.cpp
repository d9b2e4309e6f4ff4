#include "core/Contrast.h"

#include <algorithm>
#include <cmath>

namespace Contrast {
namespace {

double channel(uint32_t colour, int shift)
{
    const double c = double((colour >> shift) & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(uint32_t colour)
{
    return 0.2126 * channel(colour, 0) + 0.7152 * channel(colour, 8) + 0.0722 * channel(colour, 16);
}

// The colour moved a fraction f of the way toward `target` (0 or 255).
uint32_t toward(uint32_t colour, int target, double f)
{
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double c = double((colour >> shift) & 0xFF);
        out |= uint32_t(std::lround(c + (target - c) * f)) << shift;
    }
    return out;
}

} // namespace

double ratio(uint32_t a, uint32_t b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

uint32_t readableOn(uint32_t text, uint32_t background, double minimum)
{
    if (ratio(text, background) >= minimum)
        return text;
    // Black or white at the far end always reads on a light or a dark
    // background; the nearest step of 1/64 that reaches the ratio is taken.
    const int target = luminance(background) > 0.18 ? 0 : 255;
    for (int step = 1; step <= 64; ++step) {
        const uint32_t moved = toward(text, target, step / 64.0);
        if (ratio(moved, background) >= minimum)
            return moved;
    }
    return target == 0 ? 0x000000 : 0xFFFFFF;
}

} // namespace Contrast
