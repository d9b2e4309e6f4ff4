#pragma once
// Where each value of an installation is heading: a trend per sensor and
// value from the hour tier of the summary store, and for every level of the
// value (AlarmLevels) when the trend will reach it.
//
//   ForecastRequest r;
//   r.installation = "Main_Engine";
//   r.at = now;
//   r.notes = NotesFile(logDir).read(r.installation);
//   r.parameters = live parameter record, when one has come;
//   ForecastResult result = Forecast::run(store, r);
//   for (const LevelForecast& f : Forecast::next(result.levels)) ...
//
// Only data before `at` is used, so a forecast made as of a past instant
// is the one that could have been made then. A year's window of 30 series
// takes some tens of milliseconds; it reads the store and nothing else, so
// it may run on any thread with a connection of its own.
#include "history/LevelForecast.h"
#include "history/NotesFile.h"
#include "history/Series.h"
#include "history/TrendFit.h"

#include "core/Record.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

class SummaryStore;

struct ForecastRequest {
    QString installation; // as the logger names it
    int64_t at = 0;       // UTC seconds: the forecast is made as of this instant
    // Days looked back from `at` for a sensor without an oil change or
    // sensor replacement noted before `at`.
    int windowDays = 30;
    std::vector<Note> notes; // the installation's (NotesFile::read)
    // The evaluator's last parameter record as of `at`: its alarm levels
    // are forecast too (for AlarmLevels::EvaluatorValue). Without one only
    // the gauges' section ends are.
    std::optional<ParameterInfo> parameters;
};

struct ForecastResult {
    bool ok = false;
    QString error; // why the store could not be read
    // The sensors forecast: those with records in their window, and those the
    // parameter record counts.
    std::vector<int> sensors;
    // By Series::index(sensor, value); fits of sensors not forecast are
    // not valid and have no window.
    std::array<TrendFit, Series::kCount> fits;
    // By sensor, value, then level as AlarmLevels::of gives them.
    std::vector<LevelForecast> levels;
};

namespace Forecast {

constexpr double MinDays = 3;       // fewer days of data: too little to tell
constexpr double HorizonDays = 730; // a crossing later than this is no date

// Every level forecast of an installation as of request.at.
ForecastResult run(SummaryStore& store, const ForecastRequest& request);

// The earliest instant a forecast of the request reads data from: what
// must be summarised before run().
int64_t firstNeeded(const ForecastRequest& request);

// One forecast per sensor and value for its gauge: the soonest crossing;
// without one the most telling reason (LevelForecast::Reason's order),
// among equals the level nearest the fitted value.
std::vector<LevelForecast> next(const std::vector<LevelForecast>& levels);

} // namespace Forecast
