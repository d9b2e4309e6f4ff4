#pragma once
#include "chart/StripChartSettings.h"
#include "chart/ChartSource.h"

// Moves the chart's view over its source's data: zoom in time around a point, pan,
// jump to the start or the newest row, show every row at once, and zoom the
// value axis. Works on the settings' span and end, widget-free; the chart
// maps wheel, drag and keys onto it.
//
// The view never starts before the oldest row while there is more to see,
// and never ends past the newest; reaching the newest row follows it again.
class StripChartNavigation {
public:
    static constexpr double kMinSpanDays = 10.0 / 86400.0; // ten seconds
    static constexpr double kMinValueRange = 0.1;
    static constexpr double kMaxValueRange = 1.0e6;

    StripChartNavigation(StripChartSettings& settings, const ChartSource& source);

    // Where the view ends (days); `now` stands in for the newest row while
    // there are no rows.
    static double viewEnd(const StripChartSettings& settings, const ChartSource& source, double now);
    double viewEnd(double now) const { return viewEnd(settings_, *source_, now); }
    // The source changed (its data, or another source).
    void setSource(const ChartSource& source) { source_ = &source; }
    // The span scaled by factor (below 1 zooms in), the x at `anchor` staying
    // where it is on the screen.
    void zoomAround(double anchor, double factor, double now);
    void panBy(double days, double now);
    void toStart(double now);
    void toNewest();
    // Every row at once, following the newest.
    void showAll(double now);
    // The view from `from` to `to` (days), as far as the data allow.
    void showRange(double from, double to, double now);
    // The value range scaled by factor, `anchor` staying where it is.
    void zoomValuesAround(double anchor, double factor);

private:
    double newest(double now) const;
    double oldest(double now) const;
    double widestSpan(double now) const;
    void endAt(double end, double now);

    StripChartSettings& settings_;
    const ChartSource* source_;
};
