#pragma once
#include "display/StripChartSettings.h"
#include "display/StripChartStore.h"

#include <QFont>
#include <QRectF>
#include <cstdint>

class QPainter;

// Paints the strip chart: background, grid, axis labels and the curves, then
// (separately, so the rest can be cached) the data cursor.
//
// Curves are reduced to first/min/max/last per pixel column from the store's
// summaries, so a frame costs about the same for a hundred rows as for twenty
// million. Every length is in the painter's logical pixels.
class StripChartRenderer {
public:
    // Where the plot sits inside the painted area and which x range it shows.
    struct Layout {
        QRectF plot;
        double x0 = 0;
        double x1 = 1;
    };

    StripChartRenderer(const StripChartStore& store, const StripChartSettings& settings);

    // `now` (days) places the view while there are no rows.
    Layout layout(const QRectF& area, double now) const;
    void paintChart(QPainter& painter, const Layout& layout, const QRectF& area) const;

    // The row under a horizontal pixel position; -1 without rows.
    int64_t rowAt(const Layout& layout, double px) const;
    // The cursor line at px and the box with the channels' values at `row`;
    // returns the area painted.
    QRectF paintCursor(QPainter& painter, const Layout& layout, double px, int64_t row) const;

    double pixelOfX(const Layout& layout, double x) const;

private:
    double pixelOfValue(const Layout& layout, double v) const;
    void paintGrid(QPainter& painter, const Layout& layout) const;
    void paintLabels(QPainter& painter, const Layout& layout) const;
    void paintCurves(QPainter& painter, const Layout& layout) const;

    const StripChartStore& store_;
    const StripChartSettings& settings_;
    QFont font_;
};
