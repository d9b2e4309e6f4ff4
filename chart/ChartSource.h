#pragma once
#include "chart/StripChartStore.h"

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// A channel's records over a stretch of time, summed up: what the readout
// shows where the curves stand for summaries of many records.
struct ChartSummary {
    int64_t count = 0; // 0: no record there
    double min = 0;
    double mean = 0;
    double max = 0;
};

// Each channel's summary over a stretch of time, and the stretch the
// summaries cover (the buckets they were made of).
struct ChartSummaries {
    double from = 0;
    double to = 0;
    std::vector<ChartSummary> channels; // one per channel of the chart
};

// A moment marked on the time axis with a text, such as a maintenance note.
struct ChartMark {
    double x = 0;
    QString text;
};

// Lines drawn over a channel's curve in its colour, in the chart's x (days)
// and value: a trend fitted to it (solid), its continuation (dashed), and
// the band of its uncertainty (a filled area: `points` runs along its upper
// edge and back along its lower one).
struct ChartOverlay {
    enum class Style { Solid, Dashed, Band };
    Style style = Style::Solid;
    int channel = 0;
    std::vector<QPointF> points;
};

// What the chart draws from. A frame asks its source for the rows that draw
// the view at its pixel columns; live rows and a loaded file are the rows
// the chart was given (StoreSource), a history of months is read from its
// summaries at the width of a column, or from the logfiles' own records once
// zoomed in far enough.
//
// A source is used on the window's thread only. One that changes by itself
// (summaries arriving from the background) tells the chart through
// StripChartWidget::sourceChanged().
class ChartSource {
public:
    virtual ~ChartSource() = default;

    // The rows that draw the view from x0 to x1 (days) at columnDays a pixel
    // column: every point of the view and, beside it, each channel's nearest
    // point outside, so that its line runs on to the plot's edge. The rows
    // stay as they are until the next call, and they keep their numbers
    // while the same rows are returned.
    virtual const StripChartStore& rows(double x0, double x1, double columnDays) = 0;
    // The oldest and the newest x with data; false without data.
    virtual bool extent(double& oldest, double& newest) const = 0;
    // Whether the rows of the last call stand for summaries rather than for
    // the records themselves: the readout then gives each channel's summary
    // over the pixel column under the cursor instead of a value.
    virtual bool summarised() const { return false; }
    // Each channel's summary of the buckets that begin in [x0, x1) (count
    // 0 where it has none); no channels when the rows are the records.
    virtual ChartSummaries summaries(double x0, double x1) const
    {
        (void)x0, (void)x1;
        return {};
    }
    // Whether x counts instants (chartDaysFromInstant) rather than local
    // days.
    virtual bool instants() const { return false; }
    // The data from x0 to x1 as a CSV table of the source's own form; none
    // when the chart's rows are the table (the chart's own CSV export).
    virtual std::optional<QByteArray> table(double x0, double x1)
    {
        (void)x0, (void)x1;
        return std::nullopt;
    }
    // What is drawn over the curves of the shown channels.
    virtual std::vector<ChartOverlay> overlays() const { return {}; }
    // The marks from x0 to x1, oldest first.
    virtual std::vector<ChartMark> marks(double x0, double x1) const
    {
        (void)x0, (void)x1;
        return {};
    }
};

// The rows the chart was given: live rows, or a loaded file.
class StoreSource final : public ChartSource {
public:
    explicit StoreSource(const StripChartStore& store) : store_(store) {}

    const StripChartStore& rows(double, double, double) override { return store_; }
    bool extent(double& oldest, double& newest) const override
    {
        if (store_.rowCount() == 0)
            return false;
        oldest = store_.x(0);
        newest = store_.x(store_.rowCount() - 1);
        return true;
    }

private:
    const StripChartStore& store_;
};
