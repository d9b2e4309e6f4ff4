#pragma once
// The time stamp at the start of every logfile line:
// "#MM-DD-YYYY HH:MM:SS " (positions 1..21, counted from 1).
#include <QString>
#include <cstddef>
#include <cstdint>

namespace LogTimeStamp {

// The leading decimal number of the width characters at 1-based position
// pos of the line, rounded to a 16-bit integer; a field that is missing or
// does not start with a number reads 0.
int16_t field(const char* line, size_t length, int pos, int width);

struct Fields {
    int16_t first = 0;  // positions 2-3 (month as written)
    int16_t second = 0; // positions 5-6 (day as written)
    int16_t year = 0;   // positions 8-11
    int16_t hour = 0;   // positions 13-14
    int16_t minute = 0; // positions 16-19, stops at the ":" in 18
    int16_t sec = 0;    // positions 19-20
};
Fields read(const char* line, size_t length);
// The second of a line alone (positions 19-20); the grouping needs only it.
inline int16_t secondOf(const char* line, size_t length)
{
    if (length >= 20 && line[18] >= '0' && line[18] <= '9' && line[19] >= '0' && line[19] <= '9')
        return int16_t((line[18] - '0') * 10 + (line[19] - '0'));
    return field(line, length, 19, 2);
}

// first + "/" + second + "/" + year, each in the general number form.
QString MakeDateText(int first, int second, int year);

// Days from 30 December 1899 to the given date, or -1 when the date does
// not exist (month 13, 30 February, year outside 100..9999).
int64_t dayNumber(int year, int month, int day);

// The day number of a line's date, read month/day/year; with swapDate the
// first two fields are exchanged first (logfiles written day first).
int64_t dayNumberOf(const Fields& f, bool swapDate);

} // namespace LogTimeStamp
