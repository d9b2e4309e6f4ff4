#include "history/TrendFitter.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double Z95 = 1.959964; // the two-sided 95 % point of the normal distribution
constexpr double Day = 86400.0;
// Days that follow each other this closely still tell something each.
constexpr double MostCorrelated = 0.9;
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

void TrendFitter::thin(const std::vector<TrendPoint>& points, int64_t to)
{
    x_.clear();
    y_.clear();
    const size_t run = (points.size() + MaxPoints - 1) / MaxPoints;
    for (size_t i = 0; i < points.size(); i += run) {
        const size_t end = std::min(points.size(), i + run);
        double x = 0, y = 0;
        for (size_t k = i; k < end; ++k) {
            x += double(points[k].instant - to) / Day;
            y += points[k].value;
        }
        x_.push_back(x / double(end - i));
        y_.push_back(y / double(end - i));
    }
}

// The median of the pairwise slopes of x_, y_.
double TrendFitter::medianSlope()
{
    slopes_.clear();
    const size_t n = x_.size();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            slopes_.push_back((y_[j] - y_[i]) / (x_[j] - x_[i])); // x_ rises strictly
    return median(slopes_);
}

// The slopes at the ranks that leave `share` of them out on either side.
void TrendFitter::slopeRange(double share, double slope, double& low, double& high)
{
    // median() left the lower half before the middle and the upper half after it.
    const size_t m = slopes_.size();
    const size_t middle = m / 2;
    const size_t lowRank = std::min(middle, size_t(std::floor(share * double(m - 1))));
    const size_t highRank = std::max(middle, size_t(std::ceil((1 - share) * double(m - 1))));
    const auto begin = slopes_.begin();
    std::nth_element(begin, begin + std::ptrdiff_t(lowRank), begin + std::ptrdiff_t(middle));
    low = std::min(slope, slopes_[lowRank]);
    if (highRank > middle)
        std::nth_element(begin + std::ptrdiff_t(middle) + 1, begin + std::ptrdiff_t(highRank), slopes_.end());
    high = std::max(slope, slopes_[highRank]);
}

double TrendFitter::independentDays(const std::vector<TrendPoint>& points, int64_t to, double valueAtEnd,
                                    double perDay, double days)
{
    // Mean residual of each day counted back from `to`; days without points
    // break the chain.
    std::vector<std::pair<int64_t, double>> daily; // day, mean residual
    int count = 0;
    for (const TrendPoint& p : points) {
        const int64_t day = (p.instant - to) / 86400 - ((p.instant - to) % 86400 < 0 ? 1 : 0);
        const double residual = p.value - (valueAtEnd + perDay * double(p.instant - to) / Day);
        if (daily.empty() || daily.back().first != day) {
            if (!daily.empty())
                daily.back().second /= count;
            daily.push_back({day, 0});
            count = 0;
        }
        daily.back().second += residual;
        ++count;
    }
    if (!daily.empty())
        daily.back().second /= count;
    double mean = 0;
    for (const auto& d : daily)
        mean += d.second;
    mean /= double(std::max<size_t>(1, daily.size()));
    double together = 0, spread = 0;
    for (size_t i = 0; i < daily.size(); ++i) {
        spread += (daily[i].second - mean) * (daily[i].second - mean);
        if (i > 0 && daily[i].first == daily[i - 1].first + 1)
            together += (daily[i].second - mean) * (daily[i - 1].second - mean);
    }
    const double r = spread > 0 ? std::clamp(together / spread, 0.0, MostCorrelated) : 0.0;
    return days * (1 - r) / (1 + r);
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
    thin(points, window.to);
    f.slopePerDay = medianSlope();
    // The line's height from every hour, not only the thinned points.
    heights_.clear();
    for (const TrendPoint& p : points)
        heights_.push_back(p.value - f.slopePerDay * double(p.instant - window.to) / Day);
    f.valueAtEnd = median(heights_);
    const double independent = independentDays(points, window.to, f.valueAtEnd, f.slopePerDay, f.days);
    slopeRange(outsideShare(independent), f.slopePerDay, f.slopeLow, f.slopeHigh);
    f.pivot = points[points.size() / 2].instant;
    f.valid = true;
    return f;
}
