#include "display/StripChartTime.h"

#include <cmath>

namespace {
const QDate kDayZero(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
} // namespace

double chartDaysFromDateTime(const QDateTime& when)
{
    return double(kDayZero.daysTo(when.date())) + when.time().msecsSinceStartOfDay() / kMsPerDay;
}

QDateTime chartDateTimeFromDays(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return {};
    const double whole = std::floor(days);
    const auto ms = qint64(std::llround((days - whole) * kMsPerDay));
    return QDateTime(kDayZero.addDays(qint64(whole)), QTime(0, 0)).addMSecs(ms);
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
