#include "history/LevelCrossing.h"

#include <algorithm>
#include <cmath>

namespace LevelCrossing {

namespace {

constexpr double Day = 86400.0;

// A number of days as words show it: whole ones bare, others with a tenth,
// never rounded up (2.96 days of data are not yet 3).
QString daysText(double days)
{
    return QString::number(std::floor(std::max(0.0, days) * 10) / 10);
}

// Seconds after `from` when a line of `slope` through (from, start) reaches
// `level`; may be negative or beyond any instant.
double secondsUntil(double start, double slope, double level)
{
    return (level - start) / slope * Day;
}

LevelForecast::Reason reasonOf(const TrendFit& fit, const AlarmLevel& level, double minDays)
{
    using Reason = LevelForecast::Reason;
    if (!fit.valid || fit.days < minDays)
        return Reason::TooLittleData;
    if (level.side != 0 && double(level.side) * (fit.valueAtEnd - level.value) >= 0)
        return Reason::Beyond;
    if (fit.flat())
        return Reason::NoTrend;
    if ((level.value - fit.valueAtEnd) * fit.slopePerDay <= 0)
        return Reason::MovingAway;
    return Reason::None;
}

} // namespace

QString reasonText(LevelForecast::Reason why, double days, double minDays, double horizonDays)
{
    using Reason = LevelForecast::Reason;
    switch (why) {
    case Reason::None:
        return {};
    case Reason::TooLittleData:
        return QStringLiteral("too little data: %1 of %2 days").arg(daysText(days), daysText(minDays));
    case Reason::NoTrend:
        return QStringLiteral("no trend");
    case Reason::MovingAway:
        return QStringLiteral("moving away from the levels");
    case Reason::NotWithinHorizon:
        if (std::fmod(horizonDays, 365) == 0)
            return QStringLiteral("not within %1 years").arg(horizonDays / 365);
        return QStringLiteral("not within %1 days").arg(daysText(horizonDays));
    case Reason::Beyond:
        return QStringLiteral("already beyond the level");
    }
    return {};
}

LevelForecast of(const TrendFit& fit, const AlarmLevel& level, double minDays, double horizonDays)
{
    LevelForecast f;
    f.sensor = fit.sensor;
    f.value = fit.value;
    f.level = level;
    f.fit = fit;
    f.why = reasonOf(fit, level, minDays);
    const double horizon = horizonDays * Day;
    const double central = f.why == LevelForecast::Reason::None
        ? secondsUntil(fit.valueAtEnd, fit.slopePerDay, level.value)
        : 0;
    if (f.why == LevelForecast::Reason::None && central > horizon)
        f.why = LevelForecast::Reason::NotWithinHorizon;
    if (f.why != LevelForecast::Reason::None) {
        f.reason = reasonText(f.why, fit.days, minDays, horizonDays);
        return f;
    }
    // The range's lines meet the fitted one at the pivot: both head the same
    // way as the fit (the range holds no 0), one reaching the level sooner.
    const double fromPivot = double(fit.pivot - fit.to);
    const double pivotValue = fit.at(fit.pivot);
    const double a = fromPivot + secondsUntil(pivotValue, fit.slopeLow, level.value);
    const double b = fromPivot + secondsUntil(pivotValue, fit.slopeHigh, level.value);
    f.crossing = true;
    f.crossingAt = fit.to + int64_t(std::llround(central));
    f.crossingLow = fit.to + int64_t(std::llround(std::clamp(std::min(a, b), 0.0, central)));
    const double late = std::max({a, b, central});
    f.crossingHigh = late > horizon ? LevelForecast::Later : fit.to + int64_t(std::llround(late));
    f.daysLeft = central / Day;
    return f;
}

} // namespace LevelCrossing
