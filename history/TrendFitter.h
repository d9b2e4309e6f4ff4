#pragma once
// Fits a trend to hourly means: the Theil-Sen line (the median of the
// slopes between all pairs of points; as its height the median of what the
// daily means leave), which a bad day cannot swing, and Sen's rank range of
// its slope. A day whose mean lies far off that line (a sensor stuck, a day
// of wild values) is then left out and the line fitted again, so that it
// cannot widen the range or tilt a short window either.
//
// Hourly means are not independent: one hour is much like the next, and a
// daily swing ties them together. The range is therefore Sen's for the
// means of the local calendar days, with the days of data as the sample
// size. Days are not always independent either (an oil that wanders about
// for a week): when the daily means of what is left around the line follow
// each other, the days count for less, as many as independent ones would
// tell as much (n (1 - r) / (1 + r), r the correlation of one day's with
// the next's).
//
// Thousands of hours and hundreds of days are first thinned into the means
// of runs of consecutive ones, so a fit stays some tens of thousands of
// pairs. One object per thread: it keeps its working memory between fits.
#include "history/HourlyMeans.h"
#include "history/TrendFit.h"

#include <vector>

class TrendFitter {
public:
    // At most this many hourly and daily points take part in the pairs.
    static constexpr size_t MaxPoints = 240;
    static constexpr size_t MaxDays = 120;
    // A day with fewer hourly means gives no daily mean.
    static constexpr size_t HoursADay = 12;

    // The fit of a series' points (in order of time) over its window;
    // not valid with fewer than minDays days of data.
    TrendFit fit(const std::vector<TrendPoint>& points, const TrendWindow& window, double minDays);

    // The share of the slopes below the low end of the range (and above the
    // high end) for `days` independent days of data: Sen's 95 % ranks, 0
    // when there are too few days for any to be left out.
    static double outsideShare(double days);

private:
    void line(const std::vector<TrendPoint>& points, int64_t to, TrendFit& f);
    bool withoutBadDays(const std::vector<TrendPoint>& points, const TrendFit& f);
    void thin(const std::vector<TrendPoint>& points, int64_t to);
    void dailyMeans(const std::vector<TrendPoint>& points, int64_t to);
    double independentDays(const TrendFit& fit);
    void slopeRange(double days, TrendFit& fit);
    // The means of runs of consecutive points, at most `most` of them.
    static void meansOfRuns(const std::vector<double>& x, const std::vector<double>& y, size_t most,
                            std::vector<double>& xOut, std::vector<double>& yOut);
    static double pairwiseSlopes(const std::vector<double>& x, const std::vector<double>& y,
                                 std::vector<double>& slopes);
    static double median(std::vector<double>& values);

    std::vector<double> x_; // days since `to` (negative): thinned hours, then thinned days
    std::vector<double> y_;
    std::vector<double> dayX_; // the means of whole enough local days
    std::vector<double> dayY_;
    std::vector<int64_t> day_; // which local day
    std::vector<double> slopes_;
    std::vector<double> scratchX_;
    std::vector<double> scratchY_;
    std::vector<TrendPoint> kept_;
};
