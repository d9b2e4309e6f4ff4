#include "history/TrendFitter.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double Z95 = 1.959964; // the two-sided 95 % point of the normal distribution
constexpr double Day = 86400.0;
// Days that follow each other this closely still tell something each.
constexpr double MostCorrelated = 0.9;
// A day's mean further off the line than this many robust spreads of all
// days' is a bad day; the median absolute deviation times MadToSpread is
// the spread of a normal distribution.
constexpr double BadDaySpreads = 6;
constexpr double MadToSpread = 1.4826;
} // namespace

double TrendFitter::outsideShare(double days)
{
    if (days < 2)
        return 0;
    const double pairs = days * (days - 1) / 2;
    // Kendall's S has this spread for independent points without ties.
    const double c = Z95 * std::sqrt(days * (days - 1) * (2 * days + 5) / 18);
    return std::clamp((pairs - c) / (2 * pairs), 0.0, 0.5);
}

double TrendFitter::median(std::vector<double>& values)
{
    const size_t n = values.size();
    const auto upper = values.begin() + std::ptrdiff_t(n / 2);
    std::nth_element(values.begin(), upper, values.end());
    if (n % 2 == 1)
        return *upper;
    return (*upper + *std::max_element(values.begin(), upper)) / 2;
}

// The slopes of all pairs (x rises strictly) and their median; median()
// leaves them split at the middle.
double TrendFitter::pairwiseSlopes(const std::vector<double>& x, const std::vector<double>& y,
                                   std::vector<double>& slopes)
{
    slopes.clear();
    for (size_t i = 0; i < x.size(); ++i)
        for (size_t j = i + 1; j < x.size(); ++j)
            slopes.push_back((y[j] - y[i]) / (x[j] - x[i]));
    return median(slopes);
}

void TrendFitter::meansOfRuns(const std::vector<double>& x, const std::vector<double>& y, size_t most,
                              std::vector<double>& xOut, std::vector<double>& yOut)
{
    xOut.clear();
    yOut.clear();
    const size_t run = (x.size() + most - 1) / most;
    for (size_t i = 0; i < x.size(); i += run) {
        const size_t end = std::min(x.size(), i + run);
        double sx = 0, sy = 0;
        for (size_t k = i; k < end; ++k) {
            sx += x[k];
            sy += y[k];
        }
        xOut.push_back(sx / double(end - i));
        yOut.push_back(sy / double(end - i));
    }
}

void TrendFitter::thin(const std::vector<TrendPoint>& points, int64_t to)
{
    scratchX_.clear();
    scratchY_.clear();
    for (const TrendPoint& p : points) {
        scratchX_.push_back(double(p.instant - to) / Day);
        scratchY_.push_back(p.value);
    }
    meansOfRuns(scratchX_, scratchY_, MaxPoints, x_, y_);
}

// The means of the local calendar days with HoursADay points or more.
void TrendFitter::dailyMeans(const std::vector<TrendPoint>& points, int64_t to)
{
    dayX_.clear();
    dayY_.clear();
    day_.clear();
    for (size_t i = 0; i < points.size();) {
        const int64_t day = points[i].day;
        double x = 0, y = 0;
        size_t k = i;
        for (; k < points.size() && points[k].day == day; ++k) {
            x += double(points[k].instant - to) / Day;
            y += points[k].value;
        }
        if (k - i >= HoursADay) {
            dayX_.push_back(x / double(k - i));
            dayY_.push_back(y / double(k - i));
            day_.push_back(day);
        }
        i = k;
    }
}

// The days of data less by the correlation of consecutive days' residuals.
double TrendFitter::independentDays(const TrendFit& fit)
{
    const size_t n = dayX_.size();
    std::vector<double>& residual = scratchY_;
    residual.assign(n, 0);
    double mean = 0;
    for (size_t i = 0; i < n; ++i) {
        residual[i] = dayY_[i] - (fit.valueAtEnd + fit.slopePerDay * dayX_[i]);
        mean += residual[i] / double(n);
    }
    double together = 0, spread = 0;
    for (size_t i = 0; i < n; ++i) {
        spread += (residual[i] - mean) * (residual[i] - mean);
        if (i > 0 && day_[i] == day_[i - 1] + 1)
            together += (residual[i] - mean) * (residual[i - 1] - mean);
    }
    const double r = spread > 0 ? std::clamp(together / spread, 0.0, MostCorrelated) : 0.0;
    return std::min(fit.days, double(n)) * (1 - r) / (1 + r);
}

// The slopes of the daily means at the ranks that leave out on either side
// the share that `days` independent ones would; with fewer than three days
// the extremes of the hours'. Many days are thinned as the hours are, each
// run of days then counting as one.
void TrendFitter::slopeRange(double days, TrendFit& fit)
{
    double share = 0;
    if (dayX_.size() >= 3) {
        meansOfRuns(dayX_, dayY_, MaxDays, x_, y_);
        share = outsideShare(std::min(days, double(x_.size())));
    }
    // Otherwise x_ and y_ still hold the thinned hours.
    pairwiseSlopes(x_, y_, slopes_);
    const size_t m = slopes_.size();
    const size_t middle = m / 2;
    const size_t lowRank = std::min(middle, size_t(std::floor(share * double(m - 1))));
    const size_t highRank = std::max(middle, size_t(std::ceil((1 - share) * double(m - 1))));
    const auto begin = slopes_.begin();
    std::nth_element(begin, begin + std::ptrdiff_t(lowRank), begin + std::ptrdiff_t(middle));
    fit.slopeLow = std::min(fit.slopePerDay, slopes_[lowRank]);
    if (highRank > middle)
        std::nth_element(begin + std::ptrdiff_t(middle) + 1, begin + std::ptrdiff_t(highRank), slopes_.end());
    fit.slopeHigh = std::max(fit.slopePerDay, slopes_[highRank]);
}

// The line through the points: the Theil-Sen slope of the thinned hours,
// the height from the days (where a swing over the day is averaged out), or
// from every hour when there are too few of them.
void TrendFitter::line(const std::vector<TrendPoint>& points, int64_t to, TrendFit& f)
{
    f.points = int(points.size());
    f.days = double(points.size()) / 24.0;
    thin(points, to);
    f.slopePerDay = pairwiseSlopes(x_, y_, slopes_);
    dailyMeans(points, to);
    std::vector<double>& heights = scratchX_;
    heights.clear();
    if (dayX_.size() >= 3) {
        for (size_t i = 0; i < dayX_.size(); ++i)
            heights.push_back(dayY_[i] - f.slopePerDay * dayX_[i]);
    } else {
        for (const TrendPoint& p : points)
            heights.push_back(p.value - f.slopePerDay * double(p.instant - to) / Day);
    }
    f.valueAtEnd = median(heights);
}

// kept_: the points less those of days whose mean lies far off the line (a
// sensor stuck, a day of wild values), more than BadDaySpreads robust
// spreads of the days' residuals. False when no day is, or so many (over a
// third) that the line says nothing of them.
bool TrendFitter::withoutBadDays(const std::vector<TrendPoint>& points, const TrendFit& f)
{
    if (dayX_.size() < 3)
        return false;
    std::vector<double>& residuals = scratchX_;
    std::vector<double>& deviations = scratchY_;
    residuals.clear();
    for (size_t i = 0; i < dayX_.size(); ++i)
        residuals.push_back(dayY_[i] - (f.valueAtEnd + f.slopePerDay * dayX_[i]));
    deviations = residuals;
    const double middle = median(deviations);
    for (size_t i = 0; i < residuals.size(); ++i)
        deviations[i] = std::abs(residuals[i] - middle);
    const double limit = BadDaySpreads * MadToSpread * median(deviations) + 1e-9;
    std::vector<int64_t> bad;
    for (size_t i = 0; i < residuals.size(); ++i)
        if (std::abs(residuals[i] - middle) > limit)
            bad.push_back(day_[i]);
    if (bad.empty() || bad.size() * 3 > day_.size())
        return false;
    kept_.clear();
    for (const TrendPoint& p : points)
        if (!std::binary_search(bad.begin(), bad.end(), p.day))
            kept_.push_back(p);
    return true;
}

TrendFit TrendFitter::fit(const std::vector<TrendPoint>& points, const TrendWindow& window, double minDays)
{
    TrendFit f;
    f.from = window.from;
    f.to = window.to;
    f.points = int(points.size());
    f.days = double(points.size()) / 24.0;
    if (f.days < minDays || points.size() < 2)
        return f;
    line(points, window.to, f);
    const std::vector<TrendPoint>* used = &points;
    if (withoutBadDays(points, f)) {
        used = &kept_;
        if (kept_.size() < 2 || double(kept_.size()) / 24.0 < minDays) {
            f.points = int(kept_.size());
            f.days = double(kept_.size()) / 24.0;
            return f;
        }
        line(kept_, window.to, f);
    }
    slopeRange(independentDays(f), f);
    f.pivot = (*used)[used->size() / 2].instant;
    f.valid = true;
    return f;
}
