#pragma once
#include "chart/ChartSource.h"
#include "chart/StripChartLayout.h"
#include "chart/StripChartLegend.h"
#include "chart/StripChartReadout.h"
#include "chart/StripChartSettings.h"

#include <QFont>
#include <QRect>
#include <QRegion>
#include <QRectF>
#include <cstdint>
#include <optional>
#include <vector>

class QImage;
class QPainter;
class StripChartColumns;

// Paints the strip chart from its source: background, grid, axis labels, the
// curves and the marks, then (separately, so the rest can be cached) the data
// cursor.
//
// Into a 32-bit image the plot is written pixel by pixel (StripChartRaster);
// on other devices, such as a printer's scaled page, it is drawn with the
// painter's own lines. Every length is in the painter's logical pixels.
class StripChartRenderer {
public:
    using Layout = StripChartLayout;

    // A picture painted into an image, as far as patching it needs to know.
    struct Picture {
        Layout layout;
        int snapLevel = -1;
        bool valid = false;
    };

    StripChartRenderer(ChartSource& source, const StripChartSettings& settings);
    void setSource(ChartSource& source) { source_ = &source; }
    // The rows the source gives for a view.
    const StripChartStore& rowsOf(const Layout& layout) const;

    // `now` (days) places the view while there are no rows.
    Layout layout(const QRectF& area, double now) const;
    void paintChart(QPainter& painter, const Layout& layout, const QRectF& area) const;
    // The whole chart into `image`, at its origin.
    Picture paintImage(QImage& image, const Layout& layout) const;
    // Brings a picture of the same plot up to date with `layout` after rows
    // were only added (from `firstNewRow` on, in today's numbering) and
    // possibly the oldest dropped: scrolls it by whole columns and paints
    // only the columns whose look changed. Returns the area changed, or
    // nothing when only a whole new picture will do; `picture` then stays.
    std::optional<QRegion> patchImage(QImage& image, Picture& picture, const Layout& layout, int64_t firstNewRow,
                                    bool dropped) const;

    // The row under a horizontal pixel position, among the rows of the view;
    // -1 without rows.
    int64_t rowAt(const Layout& layout, double px) const;
    // The cursor line at px and the box with the channels' values at `row`;
    // returns the area painted.
    QRectF paintCursor(QPainter& painter, const Layout& layout, double px, int64_t row) const;
    // The area paintCursor would paint.
    QRectF cursorArea(const Layout& layout, double px, int64_t row) const;

    double pixelOfX(const Layout& layout, double x) const;

private:
    static bool paintsPixels(const QPainter& painter);
    // The background of `area`, tick marks and labels.
    void paintBackground(QPainter& painter, const Layout& layout, const QRegion& area) const;
    void paintGridLines(QPainter& painter, const Layout& layout) const;
    void paintTicks(QPainter& painter, const Layout& layout) const;
    void paintYLabels(QPainter& painter, const Layout& layout) const;
    void paintXLabels(QPainter& painter, const Layout& layout) const;
    void paintCurves(QPainter& painter, const Layout& layout) const;
    void paintMarks(QPainter& painter, const Layout& layout) const;
    void paintOverlays(QPainter& painter, const Layout& layout) const;
    void paintExtras(QPainter& painter, const Layout& layout) const;
    StripChartReadout readoutOf(const Layout& layout) const;
    QRect repaintXLabels(QImage& image, const Layout& layout) const;

    void paintValueAxisTitle(QPainter& painter, const Layout& layout) const;
    int yLabelDecimals() const;
    QString yLabel(double v) const;

    ChartSource* source_;
    const StripChartSettings& settings_;
    QFont font_;
    StripChartLegend legend_;
};
