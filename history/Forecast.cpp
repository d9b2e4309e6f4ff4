#include "history/Forecast.h"

#include "history/AlarmLevels.h"
#include "history/HourlyMeans.h"
#include "history/LevelCrossing.h"
#include "history/LogfileCatalog.h"
#include "history/SummaryStore.h"
#include "history/TrendFitter.h"
#include "history/TrendWindow.h"

#include <algorithm>
#include <cmath>

namespace Forecast {

namespace {

using Windows = std::array<TrendWindow, Series::kSensors>;

Windows windowsOf(const ForecastRequest& r)
{
    Windows windows;
    for (int s = 1; s <= Series::kSensors; ++s)
        windows[size_t(s - 1)] = TrendWindows::of(r.notes, s, r.at, r.windowDays);
    return windows;
}

bool hasRecords(const std::vector<Bucket>& hours, int sensor, const TrendWindow& w)
{
    return std::any_of(hours.begin(), hours.end(), [&](const Bucket& b) {
        return b.start >= w.from && b.of(sensor, 0).count > 0;
    });
}

std::vector<int> sensorsOf(const std::vector<Bucket>& hours, const Windows& windows,
                           const std::optional<ParameterInfo>& parameters)
{
    const int counted = parameters ? std::clamp<int>(parameters->sensorCount, 0, Series::kSensors) : 0;
    std::vector<int> sensors;
    for (int s = 1; s <= Series::kSensors; ++s)
        if (s <= counted || hasRecords(hours, s, windows[size_t(s - 1)]))
            sensors.push_back(s);
    return sensors;
}

// How telling a forecast is for a gauge: a crossing most, the sooner the
// more; else by its reason.
bool moreTelling(const LevelForecast& a, const LevelForecast& b)
{
    if (a.crossing != b.crossing)
        return a.crossing;
    if (a.crossing)
        return a.crossingAt < b.crossingAt;
    if (a.why != b.why)
        return int(a.why) > int(b.why);
    return std::abs(a.level.value - a.fit.valueAtEnd) < std::abs(b.level.value - b.fit.valueAtEnd);
}

} // namespace

int64_t firstNeeded(const ForecastRequest& request)
{
    int64_t first = request.at;
    for (const TrendWindow& w : windowsOf(request))
        first = std::min(first, w.from);
    return first;
}

ForecastResult run(SummaryStore& store, const ForecastRequest& request)
{
    ForecastResult result;
    const Windows windows = windowsOf(request);
    std::vector<Bucket> hours;
    if (!store.buckets(LogfileCatalog::installationKey(request.installation), Tier::Hour, firstNeeded(request),
                       request.at, hours)) {
        result.error = store.error();
        return result;
    }
    result.sensors = sensorsOf(hours, windows, request.parameters);
    const ParameterInfo* parameters = request.parameters ? &*request.parameters : nullptr;
    TrendFitter fitter;
    for (const int sensor : result.sensors) {
        const TrendWindow& window = windows[size_t(sensor - 1)];
        for (int value = 0; value < Series::kValues; ++value) {
            TrendFit fit = fitter.fit(HourlyMeans::of(hours, sensor, value, window), window, MinDays);
            fit.sensor = sensor;
            fit.value = value;
            result.fits[size_t(Series::index(sensor, value))] = fit;
            for (const AlarmLevel& level : AlarmLevels::of(value, parameters))
                result.levels.push_back(LevelCrossing::of(fit, level, MinDays, HorizonDays));
        }
    }
    result.ok = true;
    return result;
}

std::vector<LevelForecast> next(const std::vector<LevelForecast>& levels)
{
    std::vector<LevelForecast> chosen;
    for (const LevelForecast& f : levels) {
        const auto same = std::find_if(chosen.begin(), chosen.end(), [&](const LevelForecast& c) {
            return c.sensor == f.sensor && c.value == f.value;
        });
        if (same == chosen.end())
            chosen.push_back(f);
        else if (moreTelling(f, *same))
            *same = f;
    }
    return chosen;
}

} // namespace Forecast
