#include "ForecastJson.h"

#include "history/BucketCsv.h"
#include "history/LogfileClock.h"
#include "history/Series.h"

#include <QJsonObject>
#include <QJsonValue>
#include <cmath>

namespace ForecastJson {

namespace {

QJsonValue timeText(int64_t instant, LogfileClock& clock)
{
    return QString::fromLatin1(BucketCsv::localTime(instant, clock.offsetAt(instant)));
}

// Enough digits to read, none that only the noise wrote.
double significant(double v, int digits)
{
    return QString::number(v, 'g', digits).toDouble();
}

QJsonObject objectOf(const LevelForecast& f, LogfileClock& clock)
{
    QJsonObject o;
    o[QLatin1String("sensor")] = f.sensor;
    o[QLatin1String("value")] = Series::valueName(f.value);
    o[QLatin1String("level")] = f.level.name;
    o[QLatin1String("level_value")] = f.level.value;
    const bool fitted = f.fit.valid;
    o[QLatin1String("slope_per_day")] = fitted ? QJsonValue(significant(f.fit.slopePerDay, 4)) : QJsonValue();
    o[QLatin1String("slope_low")] = fitted ? QJsonValue(significant(f.fit.slopeLow, 4)) : QJsonValue();
    o[QLatin1String("slope_high")] = fitted ? QJsonValue(significant(f.fit.slopeHigh, 4)) : QJsonValue();
    o[QLatin1String("days_of_data")] = std::floor(f.fit.days * 10) / 10;
    o[QLatin1String("fit_from")] = timeText(f.fit.from, clock);
    o[QLatin1String("fit_to")] = timeText(f.fit.to, clock);
    if (!f.crossing) {
        o[QLatin1String("crossing")] = QJsonValue();
        o[QLatin1String("reason")] = f.reason;
        return o;
    }
    o[QLatin1String("crossing")] = timeText(f.crossingAt, clock);
    o[QLatin1String("crossing_low")] = timeText(f.crossingLow, clock);
    o[QLatin1String("crossing_high")]
        = f.crossingHigh == LevelForecast::Later ? QJsonValue() : timeText(f.crossingHigh, clock);
    o[QLatin1String("days_left")] = std::round(f.daysLeft * 10) / 10;
    return o;
}

} // namespace

QJsonArray levels(const std::vector<LevelForecast>& forecasts, LogfileClock& clock)
{
    QJsonArray out;
    for (const LevelForecast& f : forecasts)
        out.append(objectOf(f, clock));
    return out;
}

} // namespace ForecastJson
