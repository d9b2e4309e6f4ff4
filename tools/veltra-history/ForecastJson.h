#pragma once
// Level forecasts as the JSON of veltra-history forecast: an array with one
// object per sensor, value and level.
//
//   {"sensor": 1, "value": "tdn", "level": "section_end", "level_value": 400,
//    "slope_per_day": -8.02, "slope_low": -8.3, "slope_high": -7.7,
//    "days_of_data": 13.5,
//    "fit_from": "2026-03-01T10:00:00+01:00", "fit_to": "2026-03-16T00:00:00+01:00",
//    "crossing": "2026-05-11T...", "crossing_low": "...", "crossing_high": "...",
//    "days_left": 56.2}
//
// Without a crossing, "crossing" is null and "reason" says why; without a
// fit "slope_per_day", "slope_low" and "slope_high" are null. A
// "crossing_high" beyond the forecast's horizon is null. Times are ISO 8601
// local times with their offset; values in the readouts' units.
#include "history/LevelForecast.h"

#include <QJsonArray>
#include <vector>

class LogfileClock;

namespace ForecastJson {

QJsonArray levels(const std::vector<LevelForecast>& forecasts, LogfileClock& clock);

} // namespace ForecastJson
