#pragma once
// When a fitted trend reaches a level, from its fitted value at the end of
// its window on; or why no date can be given.
#include "history/LevelForecast.h"

namespace LevelCrossing {

// The forecast of one level. The fit's `to` is the instant it is made as
// of; minDays and horizonDays as Forecast has them.
LevelForecast of(const TrendFit& fit, const AlarmLevel& level, double minDays, double horizonDays);

// The words for a reason; days and minDays for TooLittleData.
QString reasonText(LevelForecast::Reason why, double days, double minDays, double horizonDays);

} // namespace LevelCrossing
