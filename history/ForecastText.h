#pragma once
// A level forecast in words for the window: a short line for a gauge's foot
// ("Pre-alarm in ~23 d", "no trend"), its colour, and a tooltip with the
// dates, the slope and the window.
#include "history/LevelForecast.h"

#include <QString>
#include <cstdint>

namespace ForecastText {

// "Pre-alarm", "Main alarm", "Pre-alarm high", "Main alarm high", or
// "Level 400" for a section end of the gauge.
QString levelName(const LevelForecast& forecast);
// "Pre-alarm in ~23 d" ("~5 h" under a day); without a crossing the reason,
// shortened to fit a gauge ("no trend", "little data", "moving away",
// "> 2 years", "beyond level").
QString shortLine(const LevelForecast& forecast);
// The colour of the level it names: pre-alarm orange, main alarm red, a
// section end the colour of the section the trend enters, made readable on
// white; grey without a crossing.
uint32_t colour(const LevelForecast& forecast);
// Several lines: the crossing with its range, the slope a day, the window.
QString toolTip(const LevelForecast& forecast, int decimals);

} // namespace ForecastText
