#include "history/HourlyMeans.h"

#include "history/LogfileClock.h"

#include <algorithm>

namespace HourlyMeans {

namespace {

bool inside(const Bucket& b, const TrendWindow& w)
{
    return b.start >= w.from && b.end <= w.to;
}

} // namespace

int64_t usualCount(const std::vector<Bucket>& hours, int sensor, const TrendWindow& window)
{
    std::vector<int32_t> counts;
    for (const Bucket& b : hours)
        if (inside(b, window) && b.start >= window.settledFrom && b.of(sensor, 0).count > 0)
            counts.push_back(b.of(sensor, 0).count);
    if (counts.empty())
        return 0;
    const auto middle = counts.begin() + std::ptrdiff_t(counts.size() / 2);
    std::nth_element(counts.begin(), middle, counts.end());
    return *middle;
}

std::vector<TrendPoint> of(const std::vector<Bucket>& hours, int sensor, int value, const TrendWindow& window)
{
    std::vector<TrendPoint> points;
    const double least = UsualShare * double(usualCount(hours, sensor, window));
    for (const Bucket& b : hours) {
        const SeriesSummary& s = b.of(sensor, value);
        if (!inside(b, window) || b.start < window.settledFrom || s.count == 0 || double(s.count) < least)
            continue;
        const double mean = double(s.sum) / double(s.count);
        points.push_back({b.start + (b.end - b.start) / 2, Series::inUnits(value, mean),
                          LogfileClock::floorDiv(b.start + b.utcOffset, 86400)});
    }
    return points;
}

} // namespace HourlyMeans
