#pragma once
#include "chart/StripChartLayout.h"
#include "chart/StripChartSettings.h"
#include "chart/StripChartStore.h"

#include <QPointF>
#include <cstdint>
#include <vector>

// What the curves are made of, column by column: receives each shown
// channel's vertical strokes (one per pixel column with points) and the
// straight joins across columns without points. Coordinates are the
// painter's; a stroke's column counts from the plot's left edge.
class StripChartCurveSink {
public:
    virtual ~StripChartCurveSink() = default;
    virtual void beginChannel(uint32_t colour, int lineWidth) = 0;
    virtual void stroke(int column, double top, double bottom) = 0;
    virtual void join(QPointF from, QPointF to) = 0;
    virtual void endChannel() = 0;
};

// The rows of each pixel column of a frame and the curves through them.
//
// Curves are reduced to first/min/max/last per pixel column from the store's
// summaries, so a frame costs about the same for a hundred rows as for twenty
// million. A channel becomes one vertical stroke per column with points (from
// its minimum to its maximum, stretched to meet the previous column's last
// value) and straight joins across columns without points; where the line
// breaks (no value for a while) nothing joins it.
class StripChartColumns {
public:
    // Lines are at most this wide; a stroke or join reaches this many pixels
    // right of (and below) its own column.
    static constexpr int kMaxLineWidth = 4;

    StripChartColumns(const StripChartStore& store, const StripChartSettings& settings, const StripChartLayout& layout);

    // Everything that touches pixel columns [begin, end) (from the plot's
    // left, `columns` being the right frame), exactly as a whole frame has
    // it there; the sink sees the rest too and clips.
    void walk(StripChartCurveSink& sink, int begin, int end) const;

    // Whether column bounds were moved to summary block starts (many rows per
    // column); a frame drawn one way cannot be patched with columns drawn
    // the other.
    int snapLevel() const { return snapLevel_; }
    // The column whose rows hold `row`: -1 before the view, `columns` after.
    int columnOfRow(int64_t row) const;

    // Whether every shown channel has a point before the view.
    bool everyChannelHasPointsBefore() const;
    // Pixel columns from which on a frame changes when rows from `firstNew`
    // on were added: the last column with a point of any shown channel
    // before them, whose stroke or join now continues.
    int firstColumnChangedFrom(int64_t firstNew) const;
    // Pixel columns up to which (excluded) a frame changes when the rows of
    // columns 0..edge changed: up to the first column with a point after
    // them, whose stroke or join came from them.
    int endOfColumnsChangedUpTo(int edge) const;

    // Where an x is drawn, in the painter's pixels; far-away points are kept
    // within what a paint engine handles exactly.
    static double pixelOfX(const StripChartLayout& layout, double x);

private:
    // What a channel's walk carries from one column with points to the next.
    struct Previous {
        bool have = false;
        int column = -2;  // -2: before the view
        int64_t from = 0; // first row of what the point stands for
        QPointF point;
    };

    // Where a value is drawn, in the painter's pixels.
    double yOf(double v) const;
    Previous previousBefore(int channel, int column) const;
    void walkChannel(StripChartCurveSink& sink, int channel, int begin, int end) const;
    void joinPast(StripChartCurveSink& sink, int channel, int column, const Previous& previous) const;

    const StripChartStore& store_;
    const StripChartSettings& settings_;
    const StripChartLayout layout_;
    std::vector<int64_t> bounds_;
    double plotTop_;    // where yMax lies
    double valueScale_; // pixels per unit of value
    mutable std::vector<StripChartStore::Extremes> scratch_; // one channel's columns being walked
    int snapLevel_ = 0; // 0 exact, 1 finest blocks, 2 coarser blocks
};
