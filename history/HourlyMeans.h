#pragma once
// The hourly means of a series that a trend may be fitted to. Left out:
// hours without records, hours before the window has settled, hours that do
// not lie wholly inside the window, and hours touched by a loss of the
// evaluator or a stop of the logger, told by clearly fewer records than the
// sensor's usual count an hour in the window.
#include "history/Bucket.h"
#include "history/TrendWindow.h"

#include <cstdint>
#include <vector>

struct TrendPoint {
    int64_t instant = 0; // the middle of the hour, UTC seconds
    double value = 0;    // the mean, in the readout's unit
    int64_t day = 0;     // the hour's local calendar day, days since 1970-01-01
};

namespace HourlyMeans {

// An hour with fewer records than this share of the usual count is left out.
constexpr double UsualShare = 0.9;

// The usual count of records an hour of a sensor (1..6) in the window: the
// median of the counts of its hours with records; 0 without any.
int64_t usualCount(const std::vector<Bucket>& hours, int sensor, const TrendWindow& window);

// hours: buckets of the hour tier sorted by start; value 0..4. In order of
// time.
std::vector<TrendPoint> of(const std::vector<Bucket>& hours, int sensor, int value, const TrendWindow& window);

} // namespace HourlyMeans
