#include "history/BucketCsv.h"

#include <QDate>
#include <cstdio>
#include <cstdlib>

namespace BucketCsv {

namespace {

// Number texts written straight into a row: the hour export of a year is
// a quarter of a million rows.
char* putUnsigned(char* p, uint64_t v)
{
    char digits[20];
    int n = 0;
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0)
        *p++ = digits[--n];
    return p;
}

char* putDecimal(char* p, bool negative, uint64_t scaled, int decimals)
{
    if (negative && scaled != 0)
        *p++ = '-';
    uint64_t unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    p = putUnsigned(p, scaled / unit);
    if (decimals == 0)
        return p;
    *p++ = '.';
    uint64_t fraction = scaled % unit;
    for (int i = decimals - 1; i >= 0; --i) {
        p[i] = char('0' + fraction % 10);
        fraction /= 10;
    }
    return p + decimals;
}

char* putValue(char* p, int value, int64_t raw)
{
    return putDecimal(p, raw < 0, uint64_t(std::llabs(raw)), Series::decimals(value));
}

// Thousandths of the unit, rounded half away from zero, in whole numbers.
char* putMean(char* p, int value, int64_t sum, int64_t count)
{
    const uint64_t denominator = uint64_t(count) * uint64_t(Series::divisor(value));
    const uint64_t scaled = (uint64_t(std::llabs(sum)) * 2000 + denominator) / (2 * denominator);
    return putDecimal(p, sum < 0, scaled, 3);
}

const QByteArray& valueName(int value)
{
    static const QByteArray names[Series::kValues] = {
        Series::valueName(0).toLatin1(), Series::valueName(1).toLatin1(), Series::valueName(2).toLatin1(),
        Series::valueName(3).toLatin1(), Series::valueName(4).toLatin1()};
    return names[value];
}

} // namespace

QByteArray header()
{
    return QByteArrayLiteral("start,sensor,value,count,min,mean,max\r\n");
}

QByteArray localTime(int64_t instant, int32_t offset)
{
    const int64_t local = instant + offset;
    const int64_t day = local / 86400 - (local % 86400 < 0 ? 1 : 0);
    const int64_t second = local - day * 86400;
    const QDate date = QDate(1970, 1, 1).addDays(day);
    const int64_t minutes = std::llabs(offset) / 60;
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", date.year(),
                                date.month(), date.day(), int(second / 3600), int(second / 60 % 60), int(second % 60),
                                offset < 0 ? '-' : '+', int(minutes / 60), int(minutes % 60));
    return QByteArray(text, n);
}

QByteArray valueText(int value, int64_t raw)
{
    char text[32];
    return QByteArray(text, putValue(text, value, raw) - text);
}

QByteArray meanText(int value, int64_t sum, int64_t count)
{
    char text[32];
    return QByteArray(text, putMean(text, value, sum, count) - text);
}

void appendRows(QByteArray& out, const Bucket& bucket)
{
    const QByteArray start = localTime(bucket.start, bucket.utcOffset);
    char row[160];
    for (int sensor = 1; sensor <= Series::kSensors; ++sensor) {
        for (int value = 0; value < Series::kValues; ++value) {
            const SeriesSummary& s = bucket.of(sensor, value);
            if (s.count == 0)
                continue;
            char* p = row;
            *p++ = ',';
            *p++ = char('0' + sensor);
            *p++ = ',';
            const QByteArray& name = valueName(value);
            p = std::copy(name.begin(), name.end(), p);
            *p++ = ',';
            p = putUnsigned(p, uint64_t(s.count));
            *p++ = ',';
            p = putValue(p, value, s.min);
            *p++ = ',';
            p = putMean(p, value, s.sum, s.count);
            *p++ = ',';
            p = putValue(p, value, s.max);
            *p++ = '\r';
            *p++ = '\n';
            out += start;
            out.append(row, p - row);
        }
    }
}

} // namespace BucketCsv
