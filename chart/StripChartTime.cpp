#include "chart/StripChartTime.h"

#include <cmath>

namespace {
// 30 December 1899 as a Julian day; a plain number, so it is usable during
// static initialisation.
constexpr qint64 kDayZeroJulian = 2415019;
constexpr double kMsPerDay = 86400000.0;
// 1 January 1970 as a day number of the chart.
constexpr double kEpochDay = 25569.0;
} // namespace

double chartDaysFromDateTime(const QDateTime& when)
{
    return double(when.date().toJulianDay() - kDayZeroJulian) + when.time().msecsSinceStartOfDay() / kMsPerDay;
}

QDateTime chartDateTimeFromDays(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return {};
    const double whole = std::floor(days);
    const auto ms = qint64(std::llround((days - whole) * kMsPerDay));
    return QDateTime(QDate::fromJulianDay(kDayZeroJulian + qint64(whole)), QTime(0, 0)).addMSecs(ms);
}

QString chartTimeLabel(double days)
{
    const QDateTime when = chartDateTimeFromDays(days).addMSecs(500);
    if (!when.isValid())
        return {};
    return QStringLiteral("%1/%2 %3")
        .arg(when.date().month())
        .arg(when.date().day())
        .arg(when.time().toString(QStringLiteral("hh:mm:ss")));
}

double chartDaysFromInstant(qint64 secondsSinceEpoch)
{
    return kEpochDay + double(secondsSinceEpoch) / 86400.0;
}

qint64 chartInstantFromDays(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return 0;
    return std::llround((days - kEpochDay) * 86400.0);
}

QString chartInstantLabel(double days, double stepDays)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return {};
    const QDateTime when = QDateTime::fromSecsSinceEpoch(chartInstantFromDays(days));
    if (stepDays >= 1.0)
        return when.toString(QStringLiteral("yyyy-MM-dd"));
    if (stepDays * 1440.0 >= 1.0)
        return when.toString(QStringLiteral("MM-dd hh:mm"));
    return when.toString(QStringLiteral("MM-dd hh:mm:ss"));
}

QString chartInstantTime(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return {};
    return QDateTime::fromSecsSinceEpoch(chartInstantFromDays(days)).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}
