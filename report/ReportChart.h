#pragma once
// The chart of a report's range, drawn in vector lines from the summaries:
// one panel per value, one above the other, on one time axis. In each, every
// sensor's min-max band per column, as the history chart shows it (the
// extremes of its records there, so no spike is averaged away), and its mean
// line, in the sensor's colour; a column without records breaks both. The
// maintenance notes stand as dashed lines across the panels, numbered as the
// notes table lists them.
#include "report/ReportData.h"
#include "report/ReportStyle.h"

#include <QRectF>
#include <vector>

class QPainter;

class ReportChart {
public:
    ReportChart(const ReportData& data, const ReportStyle& style);

    // The whole chart, legend and time axis included, inside `area`.
    void paint(QPainter& p, const QRectF& area) const;

    // What the records of one sensor and value held in each of `count`
    // columns across the range, in the readouts' units.
    struct Column {
        double min = 0;
        double max = 0;
        double sum = 0;
        int64_t count = 0;
    };
    std::vector<Column> columns(int sensor, int value, int count) const;

private:
    void paintLegend(QPainter& p, const QRectF& area) const;
    void paintPanel(QPainter& p, const QRectF& plot, int value, int columnCount) const;
    void paintSeries(QPainter& p, const QRectF& plot, const std::vector<Column>& columns, double low, double high,
                     int sensor) const;
    void paintValueAxis(QPainter& p, const QRectF& plot, double low, double high, int value) const;
    void paintTimeGrid(QPainter& p, const QRectF& plot, bool labels) const;
    void paintNotes(QPainter& p, const QRectF& top, const QRectF& bottom) const;
    double xOf(const QRectF& plot, int64_t instant) const;
    // Local times of the time axis's ticks and their labels.
    std::vector<std::pair<int64_t, QString>> timeTicks() const;

    const ReportData& data_;
    const ReportStyle& style_;
};
