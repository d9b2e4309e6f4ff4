#include "core/LogTimeStamp.h"

#include "core/NumberText.h"

namespace LogTimeStamp {

int16_t field(const char* line, size_t length, int pos, int width)
{
    const size_t from = size_t(pos - 1);
    if (from >= length)
        return 0;
    const size_t to = from + size_t(width) < length ? from + size_t(width) : length;
    // Plain digits are by far the common case; anything else (blanks, signs,
    // fractions, exponents) goes through the general reading.
    int value = 0;
    size_t i = from;
    while (i < to && line[i] >= '0' && line[i] <= '9')
        value = value * 10 + (line[i++] - '0');
    if (i > from && (i == to || (line[i] != '.' && line[i] != 'e' && line[i] != 'E')))
        return int16_t(value); // at most four digits, always in range
    return NumberText::leadingInt16(QString::fromLatin1(line + from, qsizetype(to - from)));
}

namespace {
inline bool digit(char c) { return c >= '0' && c <= '9'; }
inline int16_t two(const char* p) { return int16_t((p[0] - '0') * 10 + (p[1] - '0')); }
} // namespace

Fields read(const char* line, size_t length)
{
    Fields f;
    // The writer's own form "#MM-DD-YYYY HH:MM:SS" reads directly.
    if (length >= 20 && digit(line[1]) && digit(line[2]) && digit(line[4]) && digit(line[5]) && digit(line[7])
        && digit(line[8]) && digit(line[9]) && digit(line[10]) && digit(line[12]) && digit(line[13])
        && digit(line[15]) && digit(line[16]) && line[17] == ':' && digit(line[18]) && digit(line[19])) {
        f.first = two(line + 1);
        f.second = two(line + 4);
        f.year = int16_t(two(line + 7) * 100 + two(line + 9));
        f.hour = two(line + 12);
        f.minute = two(line + 15);
        f.sec = two(line + 18);
        return f;
    }
    f.first = field(line, length, 2, 2);
    f.second = field(line, length, 5, 2);
    f.year = field(line, length, 8, 4);
    f.hour = field(line, length, 13, 2);
    f.minute = field(line, length, 16, 4);
    f.sec = field(line, length, 19, 2);
    return f;
}

QString MakeDateText(int first, int second, int year)
{
    return NumberText::general(first) + QLatin1Char('/') + NumberText::general(second) + QLatin1Char('/')
        + NumberText::general(year);
}

int64_t dayNumber(int year, int month, int day)
{
    static const int monthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1)
        return -1;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > monthDays[month] + (month == 2 && leap ? 1 : 0))
        return -1;
    // Days from 1 March of year 0 (proleptic Gregorian), shifted so that
    // 30 December 1899 is day 0.
    const int y = month <= 2 ? year - 1 : year;
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int mp = (month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t daysFromEpoch1970 = int64_t(era) * 146097 + doe - 719468;
    return daysFromEpoch1970 + 25569;
}

int64_t dayNumberOf(const Fields& f, bool swapDate)
{
    const int month = swapDate ? f.second : f.first;
    const int day = swapDate ? f.first : f.second;
    return dayNumber(f.year, month, day);
}

} // namespace LogTimeStamp
