#pragma once
// Times for chart tests: one second in chart days, a start at 09:00 and a
// clock that stands at 10:00 of the same day.
#include "chart/StripChartTime.h"
#include "core/IClock.h"

namespace ChartTime {
constexpr double kSecond = 1.0 / 86400.0;
inline const double kStart = chartDaysFromDateTime(QDateTime(QDate(2026, 3, 14), QTime(9, 0, 0)));

class FixedClock final : public IClock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 14), QTime(10, 0, 0)); }
};
} // namespace ChartTime
