#include "playback/LogRecord.h"

#include <QString>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace LogRecord {
namespace {

struct HexTable {
    int8_t value[256];
    constexpr HexTable() : value()
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
constexpr HexTable hexTable;

// Every 16-bit word divided by ten, looked up: three divisions per record
// took a third of the decoding time. Built on first use, 512 KB.
struct TenthsTable {
    double value[65536];
    TenthsTable()
    {
        for (int raw = 0; raw < 65536; ++raw)
            value[raw] = double(raw >= 0x8000 ? raw - 0x10000 : raw) / 10.0;
    }
};

inline int hexValue(char c)
{
    return hexTable.value[static_cast<unsigned char>(c)];
}

#if defined(__SSE2__) && defined(__x86_64__)
// The sixteen hex digits at p as eight bytes (the first two digits in the
// lowest byte), all checked and converted side by side; false when any of
// them is not a hex digit. Bytes above 0x7F compare as negative and so are
// neither digits nor letters.
inline bool hex16(const char* p, uint64_t& out)
{
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i lower = _mm_or_si128(c, _mm_set1_epi8(0x20));
    const __m128i isDigit = _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8('0' - 1)),
                                          _mm_cmplt_epi8(c, _mm_set1_epi8('9' + 1)));
    const __m128i isLetter = _mm_and_si128(_mm_cmpgt_epi8(lower, _mm_set1_epi8('a' - 1)),
                                           _mm_cmplt_epi8(lower, _mm_set1_epi8('f' + 1)));
    if (_mm_movemask_epi8(_mm_or_si128(isDigit, isLetter)) != 0xFFFF)
        return false;
    const __m128i nibbles = _mm_or_si128(_mm_and_si128(isDigit, _mm_sub_epi8(c, _mm_set1_epi8('0'))),
                                         _mm_and_si128(isLetter, _mm_sub_epi8(lower, _mm_set1_epi8('a' - 10))));
    // Each 16-bit lane holds a pair: its first digit low, its second high.
    const __m128i pairs = _mm_or_si128(_mm_slli_epi16(_mm_and_si128(nibbles, _mm_set1_epi16(0x00FF)), 4),
                                       _mm_srli_epi16(nibbles, 8));
    out = uint64_t(_mm_cvtsi128_si64(_mm_packus_epi16(pairs, pairs)));
    return true;
}
#else
// The eight hex digits at p as one number, all checked and converted in one
// 64-bit word; false when any of them is not a hex digit ("0"-"9", "A"-"F",
// "a"-"f"). Sensor records are most of a logfile, so this is the hot path.
inline bool hex8(const char* p, uint32_t& out)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr uint64_t ones = 0x0101010101010101ULL;
    constexpr uint64_t high = ones * 0x80;
    uint64_t x;
    std::memcpy(&x, p, 8);
    if (x & high)
        return false;
    // With every byte below 0x80, adding 0x80 - lo sets a byte's top bit
    // exactly when the byte is at least lo, and never carries into the next.
    auto atLeast = [](uint64_t v, unsigned lo) { return v + ones * (0x80 - lo); };
    const uint64_t lower = x | (ones * 0x20);
    const uint64_t isDigit = atLeast(x, '0') & ~atLeast(x, '9' + 1) & high;
    const uint64_t isLetter = atLeast(lower, 'a') & ~atLeast(lower, 'f' + 1) & high;
    if ((isDigit | isLetter) != high)
        return false;
    // Digit values, the first character in the lowest byte.
    const uint64_t nibbles = (x & (ones * 0x0F)) + (isLetter >> 7) * 9;
    const uint64_t bytes = ((nibbles & 0x000F000F000F000FULL) << 4) | ((nibbles & 0x0F000F000F000F00ULL) >> 8);
    const uint64_t pairs = (bytes | (bytes >> 8)) & 0x0000FFFF0000FFFFULL;
    out = __builtin_bswap32(uint32_t((pairs | (pairs >> 16)) & 0xFFFFFFFFULL));
    return true;
#else
    uint32_t value = 0;
    for (int i = 0; i < 8; ++i) {
        const int d = hexValue(p[i]);
        if (d < 0)
            return false;
        value = (value << 4) | uint32_t(d);
    }
    out = value;
    return true;
#endif
}
#endif

// Unsigned value of the up to width hex digits at 1-based pos; a field cut
// short by the end of the text reads the digits there are (none read 0).
// -1 when a character in the field is not a hex digit.
inline long hexField(const char* r, size_t length, int pos, int width)
{
    const size_t from = size_t(pos - 1);
    const size_t to = from + size_t(width) < length ? from + size_t(width) : length;
    long value = 0;
    int bad = 0;
    for (size_t i = from; i < to; ++i) {
        const int d = hexValue(r[i]);
        bad |= d;
        value = value * 16 + d;
    }
    return bad < 0 ? -1 : value;
}

QString textField(const char* r, size_t length, int pos, int width)
{
    const size_t from = size_t(pos - 1);
    if (from >= length)
        return QString();
    const size_t n = from + size_t(width) <= length ? size_t(width) : length - from;
    return QString::fromLatin1(r + from, qsizetype(n));
}

int16_t word(long v)
{
    return int16_t(v > 0x7FFF ? 0x7FFF : v);
}

} // namespace

Kind kindOf(const char* r, size_t length)
{
    if (length < 2 || hexValue(r[0]) < 0 || hexValue(r[1]) < 0)
        return Kind::Unreadable;
    if (r[0] == '8' && (r[1] == '0' || r[1] == '2' || r[1] == '9'))
        return Kind::Ignored;
    if (r[0] == '8' && r[1] == '1')
        return Kind::Parameter;
    return Kind::Sensor;
}

int sensorOf(const char* r)
{
    return hexValue(r[0]) * 16 + hexValue(r[1]) + 1;
}

bool decodeSensor(const char* r, size_t length, SensorValues& out)
{
    if (kindOf(r, length) != Kind::Sensor)
        return false;
    static const TenthsTable tenths;
#if defined(__SSE2__) && defined(__x86_64__)
    if (length >= 20) {
        // Every field complete: the common case. Digits 1-16 and 5-20 are
        // read sixteen at a time; both reads lie inside the record.
        uint64_t a = 0, b = 0;
        if (!hex16(r, a) || !hex16(r + 4, b))
            return false;
        auto byte = [](uint64_t bytes, int k) { return unsigned(bytes >> (8 * k)) & 0xFF; };
        auto word = [&](uint64_t bytes, int k) { return (byte(bytes, k) << 8) | byte(bytes, k + 1); };
        out.sensor = int(byte(a, 0)) + 1;
        out.value[0] = int(int8_t(uint8_t(byte(a, 1))));
        out.value[1] = tenths.value[word(a, 2)];
        out.value[2] = int(int16_t(uint16_t(word(a, 4))));
        out.value[3] = tenths.value[word(a, 6)];
        out.value[4] = tenths.value[word(b, 6)];
        return true;
    }
#else
    if (length >= 20) {
        // Every field complete: the common case, read eight digits at a time.
        // The last word is read with the one before it, so every read is a
        // whole eight bytes inside the record.
        uint32_t head = 0, middle = 0, tail = 0;
        if (!hex8(r, head) || !hex8(r + 8, middle) || !hex8(r + 12, tail))
            return false;
        const uint32_t v1 = (head >> 16) & 0xFF;
        out.sensor = int(head >> 24) + 1;
        out.value[0] = int(int8_t(uint8_t(v1)));
        out.value[1] = tenths.value[head & 0xFFFF];
        out.value[2] = int(int16_t(uint16_t(middle >> 16)));
        out.value[3] = tenths.value[middle & 0xFFFF];
        out.value[4] = tenths.value[tail & 0xFFFF];
        return true;
    }
#endif
    out.sensor = int(hexField(r, length, 1, 2) & 4095) + 1;
    static const int positions[5] = {3, 5, 9, 13, 17};
    static const double divisors[5] = {1, 10, 1, 10, 10};
    for (int v = 0; v < 5; ++v) {
        const int digits = v == 0 ? 2 : 4;
        const long raw = hexField(r, length, positions[v], digits);
        if (raw < 0)
            return false;
        // The field is read unsigned, then made signed at its digit count,
        // as HexToSigned does on the serial line.
        const long half = digits == 2 ? 0x80 : 0x8000;
        const long signedValue = raw >= half ? raw - 2 * half : raw;
        out.value[v] = double(signedValue) / divisors[v];
    }
    return true;
}

bool decodeParameters(const char* r, size_t length, Parameters& out)
{
    if (kindOf(r, length) != Kind::Parameter)
        return false;
    ParameterInfo& p = out.info;
    p.modelCode = textField(r, length, 3, 5);
    p.versionText = textField(r, length, 8, 13);
    p.serialNumber = textField(r, length, 37, 8);
    const long count = hexField(r, length, 45, 2);
    if (count < 0)
        return false;
    p.sensorCount = int16_t(count & 4095);
    int16_t* words[] = {&p.mainAlarmLevel, &p.preAlarmLevel, &p.tempAlarmLevel, &p.tempPreAlarmLevel,
                        &p.mainAlarmLevel2, &p.alarm2Sensor, &p.tempAlarmLevel2, &p.tempPreAlarmLevel2,
                        &p.mainAlarmLevelHigh, &p.preAlarmLevelHigh, &p.preAlarmLevel2};
    out.hasHighWords = length > 85;
    const int wordCount = out.hasHighWords ? 11 : 8;
    for (int i = 0; i < wordCount; ++i) {
        const long v = hexField(r, length, 47 + 4 * i, 4);
        if (v < 0)
            return false;
        *words[i] = word(v);
    }
    return true;
}

void Parameters::apply(ParameterInfo& target) const
{
    const ParameterInfo previous = target;
    target = info;
    if (!hasHighWords) {
        target.mainAlarmLevelHigh = previous.mainAlarmLevelHigh;
        target.preAlarmLevelHigh = previous.preAlarmLevelHigh;
        target.preAlarmLevel2 = previous.preAlarmLevel2;
    }
}

} // namespace LogRecord
