#include "playback/LogTimeStamp.h"

#include "platform/NumberText.h"

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

Fields read(const char* line, size_t length)
{
    Fields f;
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
