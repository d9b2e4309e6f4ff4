#pragma once
// Hexadecimal digits of the evaluator's records: the one place that reads
// them, for the serial line and for logfiles alike.
#include <cstdint>
#include <cstring>

namespace Hex {

namespace detail {
struct DigitTable {
    int8_t value[256];
    constexpr DigitTable() : value()
    {
        for (int i = 0; i < 256; ++i)
            value[i] = -1;
        for (int i = 0; i < 10; ++i)
            value['0' + i] = int8_t(i);
        for (int i = 0; i < 6; ++i) {
            value['A' + i] = int8_t(10 + i);
            value['a' + i] = int8_t(10 + i);
        }
    }
};
inline constexpr DigitTable digits;

typedef signed char Bytes16 __attribute__((vector_size(16)));
typedef unsigned short Words8 __attribute__((vector_size(16)));
typedef unsigned char Bytes8 __attribute__((vector_size(8)));
} // namespace detail

// The value of a hex digit (0-9, A-F, a-f); -1 for any other byte.
inline int digit(char c)
{
    return detail::digits.value[static_cast<unsigned char>(c)];
}

inline bool isDigit(char c)
{
    return digit(c) >= 0;
}

// The sixteen hex digits at p as eight bytes, the first two digits in the
// lowest byte, all checked and converted side by side; false when any of
// them is not a hex digit. p must have sixteen readable bytes. Sensor
// records are most of a logfile, so this is the hot path of a load; the
// compiler's vector types make it one piece of code for every processor.
inline bool sixteen(const char* p, uint64_t& out)
{
    using namespace detail;
    Bytes16 c;
    std::memcpy(&c, p, sizeof c);
    const Bytes16 lower = c | 0x20;
    // Bytes above 0x7F compare as negative: neither digits nor letters.
    // Each test is a "greater than" with the vector on its left side, the
    // one comparison the processor has.
    const Bytes16 afterNine = Bytes16{} + ('9' + 1);
    const Bytes16 afterF = Bytes16{} + ('f' + 1);
    const Bytes16 isNumber = (c > '0' - 1) & (afterNine > c);
    const Bytes16 isLetter = (lower > 'a' - 1) & (afterF > lower);
    const Bytes16 valid = isNumber | isLetter;
    uint64_t halves[2];
    std::memcpy(halves, &valid, sizeof halves);
    if ((halves[0] & halves[1]) != ~uint64_t(0))
        return false;
    const Bytes16 nibbles = (isNumber & (c - '0')) | (isLetter & (lower - ('a' - 10)));
    // Each 16-bit lane holds a pair: its first digit low, its second high.
    Words8 pairs;
    std::memcpy(&pairs, &nibbles, sizeof pairs);
    pairs = ((pairs & 0x00FF) << 4) | (pairs >> 8);
    const Bytes8 bytes = __builtin_convertvector(pairs, Bytes8);
    std::memcpy(&out, &bytes, sizeof out);
    return true;
}

} // namespace Hex
