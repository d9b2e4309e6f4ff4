#pragma once
// Fits a trend to hourly means: the Theil-Sen line (the median of the
// slopes between all pairs of points, the median of what is left as its
// height), which a bad day cannot swing, and Sen's rank range of its slope.
//
// Hourly means are not independent: one hour is much like the next. The
// range is therefore worked out with the days of data, not the hours, as
// the sample size: the ranks of its ends among the slopes are those that
// independent daily points would give. Days are not always independent
// either (an oil that wanders about for a week): when the daily means of
// what is left around the line follow each other, the days count for less,
// as many as independent ones would tell as much (n (1 - r) / (1 + r), r
// the correlation of one day's with the next's).
//
// Thousands of points are first thinned into the means of runs of
// consecutive ones, so a fit stays a few tens of thousands of pairs. One
// object per thread: it keeps its working memory between fits.
#include "history/HourlyMeans.h"
#include "history/TrendFit.h"

#include <vector>

class TrendFitter {
public:
    // At most this many points take part in the pairs.
    static constexpr int MaxPoints = 240;

    // The fit of a series' points (in order of time) over its window;
    // not valid with fewer than minDays days of data.
    TrendFit fit(const std::vector<TrendPoint>& points, const TrendWindow& window, double minDays);

    // The share of the slopes below the low end of the range (and above the
    // high end) for `days` independent days of data: Sen's 95 % ranks, 0
    // when there are too few days for any to be left out.
    static double outsideShare(double days);

    // The days of data that count as independent: `days` less by the
    // correlation of the daily means of the residuals (points less the line
    // through (to, valueAtEnd) of slope perDay) of consecutive days.
    static double independentDays(const std::vector<TrendPoint>& points, int64_t to, double valueAtEnd, double perDay,
                                  double days);

private:
    void thin(const std::vector<TrendPoint>& points, int64_t to);
    double medianSlope();
    void slopeRange(double share, double slope, double& low, double& high);
    static double median(std::vector<double>& values);

    std::vector<double> x_; // days since `to` (negative)
    std::vector<double> y_;
    std::vector<double> slopes_; // of all pairs; median() leaves them split at the middle
    std::vector<double> heights_;
};
