#pragma once
// Finds the line ends ('\n') in a block of text, 64 bytes at a time: most
// logfile lines are some 60 bytes long, and looking for each end with its own
// memchr call would cost more than reading the line.
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace LineSplitter {

#if defined(__SSE2__)
// Bit i set when p[i] is '\n', for the 64 bytes at p.
inline uint64_t newlineMask(const char* p)
{
    const __m128i nl = _mm_set1_epi8('\n');
    auto bits = [&](int i) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        return uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, nl))));
    };
    return bits(0) | bits(1) << 16 | bits(2) << 32 | bits(3) << 48;
}
#endif

// Calls line(start, newline) for every complete line in [p, end), newline
// pointing at its '\n'; a false answer stops the splitting. Returns where the
// unfinished rest begins (end when the block ends with a line end), or
// nullptr when stopped. Never reads outside [p, end).
template <typename LineFunction>
const char* split(const char* p, const char* end, LineFunction&& line)
{
    const char* start = p;
#if defined(__SSE2__)
    for (; end - p >= 64; p += 64) {
        for (uint64_t mask = newlineMask(p); mask != 0; mask &= mask - 1) {
            const char* newline = p + __builtin_ctzll(mask);
            if (!line(start, newline))
                return nullptr;
            start = newline + 1;
        }
    }
#endif
    while (p < end) {
        const char* newline = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        if (!newline)
            break;
        if (!line(start, newline))
            return nullptr;
        start = p = newline + 1;
    }
    return start;
}

} // namespace LineSplitter
