#pragma once
// The report's forecast, as of the range's end: for each sensor and value,
// where its trend is heading and when it reaches the evaluator's alarm
// levels (or, for a value without them, the nearest end of its gauge's
// coloured sections), or why no date can be given.
#include "history/LevelForecast.h"
#include "report/ReportPages.h"
#include "report/ReportStyle.h"

#include <QStringList>
#include <vector>

namespace ForecastSection {

// sensorNames as in ReportData::sensorName.
void layOut(ReportPages& pages, const std::vector<LevelForecast>& forecasts, const QStringList& sensorNames,
            const ReportStyle& style);

// The forecasts a report shows: every evaluator alarm level of a value that
// has them, else the value's soonest crossing (Forecast::next).
std::vector<LevelForecast> shown(const std::vector<LevelForecast>& forecasts);

} // namespace ForecastSection
