#include "chart/StripChartNavigation.h"

#include <algorithm>
#include <cmath>

namespace {
// The widest preset span: six hours.
constexpr double kWidestPresetDays = 0.25;
// A view of every row leaves this share of its span before the oldest.
constexpr double kAllMargin = 0.02;
} // namespace

StripChartNavigation::StripChartNavigation(StripChartSettings& settings, const ChartSource& source)
    : settings_(settings)
    , source_(&source)
{
}

double StripChartNavigation::newest(double now) const
{
    double oldest = now, newest = now;
    return source_->extent(oldest, newest) ? newest : now;
}

double StripChartNavigation::oldest(double now) const
{
    double oldest = now, newest = now;
    return source_->extent(oldest, newest) ? oldest : now;
}

double StripChartNavigation::viewEnd(const StripChartSettings& settings, const ChartSource& source, double now)
{
    if (!settings.xFollow && std::isfinite(settings.xEnd))
        return settings.xEnd;
    const double offset = std::isfinite(settings.xOffset) ? settings.xOffset : 0.0;
    double oldest = now, newest = now;
    if (!source.extent(oldest, newest))
        newest = now;
    return newest - offset;
}

double StripChartNavigation::widestSpan(double now) const
{
    const double rows = newest(now) - oldest(now);
    return std::max(kWidestPresetDays, rows * (1.0 + 2.0 * kAllMargin));
}

void StripChartNavigation::endAt(double end, double now)
{
    const double last = newest(now);
    const double lowest = std::min(oldest(now) + settings_.xSpan, last);
    end = std::clamp(end, lowest, last);
    settings_.xOffset = 0.0;
    settings_.xFollow = end >= last;
    settings_.xEnd = end;
}

void StripChartNavigation::zoomAround(double anchor, double factor, double now)
{
    if (!(factor > 0.0) || !std::isfinite(factor) || !std::isfinite(anchor))
        return;
    const double span = settings_.xSpan;
    const double end = viewEnd(now);
    const double wider = std::clamp(span * factor, kMinSpanDays, std::max(widestSpan(now), span));
    // The anchor keeps its share of the view on either side.
    const double share = std::clamp((end - anchor) / span, 0.0, 1.0);
    settings_.xSpan = wider;
    endAt(anchor + share * wider, now);
}

void StripChartNavigation::panBy(double days, double now)
{
    if (std::isfinite(days))
        endAt(viewEnd(now) + days, now);
}

void StripChartNavigation::toStart(double now)
{
    endAt(oldest(now) + settings_.xSpan, now);
}

void StripChartNavigation::toNewest()
{
    settings_.xOffset = 0.0;
    settings_.xFollow = true;
}

void StripChartNavigation::showAll(double now)
{
    const double rows = newest(now) - oldest(now);
    settings_.xSpan = std::max(rows * (1.0 + kAllMargin), kMinSpanDays);
    toNewest();
}

void StripChartNavigation::showRange(double from, double to, double now)
{
    if (!std::isfinite(from) || !std::isfinite(to) || !(to > from))
        return;
    settings_.xSpan = std::clamp(to - from, kMinSpanDays, std::max(widestSpan(now), kMinSpanDays));
    endAt(to, now);
}

void StripChartNavigation::zoomValuesAround(double anchor, double factor)
{
    if (!(factor > 0.0) || !std::isfinite(factor) || !std::isfinite(anchor))
        return;
    const double range = settings_.yMax - settings_.yMin;
    const double wider = std::clamp(range * factor, kMinValueRange, kMaxValueRange);
    const double share = range > 0.0 ? std::clamp((settings_.yMax - anchor) / range, 0.0, 1.0) : 0.5;
    settings_.yMax = anchor + share * wider;
    settings_.yMin = settings_.yMax - wider;
}
