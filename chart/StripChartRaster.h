#pragma once
#include "chart/StripChartColumns.h"
#include "chart/StripChartLayout.h"
#include "chart/StripChartSettings.h"

#include <QImage>
#include <QRect>

// Paints the plot of the strip chart straight into a 32-bit image, pixel
// column range by pixel column range: background, grid, curves and frame.
//
// Every pixel comes from a rule that does not depend on which range is
// painted: a range painted on its own looks exactly as it does in a whole
// frame, which is what lets a scrolled picture be patched instead of redrawn.
// Curves are opaque and not antialiased; a stroke of a wider line is a span
// several pixel columns wide, not several strokes. The horizontal grid's dots
// sit on the column grid, so they move with the curves like ruled paper.
class StripChartRaster {
public:
    // `offset` is where the layout's (0, 0) lies in the image.
    StripChartRaster(QImage& image, QPoint offset, const StripChartLayout& layout, const StripChartSettings& settings);

    // Whether the image is one this painter can write into.
    static bool canPaint(const QImage& image);

    // Pixel columns [begin, end) of the plot, counted from its left edge,
    // `layout.columns` being the right frame.
    void paintColumns(const StripChartColumns& columns, int begin, int end);
    // Moves the plot's pixels `columns` to the left; what comes in on the
    // right is left as it was, for paintColumns to fill.
    void scrollLeft(int columns);
    // The pixel columns of the vertical grid lines, from the plot's left.
    std::vector<int> verticalGridColumns() const;
    // The image area of pixel columns [begin, end).
    QRect areaOfColumns(int begin, int end) const;
    // The image area that paintColumns paints, frame included.
    QRect plotArea() const { return areaOfColumns(0, layout_.columns + 1); }

private:
    class Sink;

    void paintBand(const StripChartColumns& columns, int begin, int end);
    void fill(int x0, int x1, int y0, int y1, uint32_t argb);
    void paintGrid(int x0, int x1);
    void paintFrame(int x0, int x1);

    uint32_t* row(int y) const { return reinterpret_cast<uint32_t*>(bits_ + y * stride_); }

    QImage& image_;
    uchar* bits_;
    qsizetype stride_;
    const StripChartLayout& layout_;
    const StripChartSettings& settings_;
    int left_, top_, bottom_, right_; // image pixels of the frame
};
