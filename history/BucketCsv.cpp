#include "history/BucketCsv.h"

#include <QDate>
#include <cstdio>
#include <cstdlib>

namespace BucketCsv {

namespace {

void appendDecimal(QByteArray& out, bool negative, uint64_t scaled, int decimals)
{
    char digits[32];
    uint64_t unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    int n = std::snprintf(digits, sizeof digits, "%s%llu", negative && scaled != 0 ? "-" : "",
                          static_cast<unsigned long long>(scaled / unit));
    if (decimals > 0)
        n += std::snprintf(digits + n, sizeof digits - size_t(n), ".%0*llu", decimals,
                           static_cast<unsigned long long>(scaled % unit));
    out.append(digits, n);
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
    QByteArray out;
    appendDecimal(out, raw < 0, uint64_t(std::llabs(raw)), Series::decimals(value));
    return out;
}

QByteArray meanText(int value, int64_t sum, int64_t count)
{
    // Thousandths of the unit, rounded half away from zero, in whole numbers.
    const uint64_t denominator = uint64_t(count) * uint64_t(Series::divisor(value));
    const uint64_t scaled = (uint64_t(std::llabs(sum)) * 2000 + denominator) / (2 * denominator);
    QByteArray out;
    appendDecimal(out, sum < 0, scaled, 3);
    return out;
}

void appendRows(QByteArray& out, const Bucket& bucket)
{
    const QByteArray start = localTime(bucket.start, bucket.utcOffset);
    for (int sensor = 1; sensor <= Series::kSensors; ++sensor) {
        for (int value = 0; value < Series::kValues; ++value) {
            const SeriesSummary& s = bucket.of(sensor, value);
            if (s.count == 0)
                continue;
            out += start;
            out += ',';
            out += char('0' + sensor);
            out += ',';
            out += valueName(value);
            out += ',';
            out += QByteArray::number(s.count);
            out += ',';
            out += valueText(value, s.min);
            out += ',';
            out += meanText(value, s.sum, s.count);
            out += ',';
            out += valueText(value, s.max);
            out += "\r\n";
        }
    }
}

} // namespace BucketCsv
