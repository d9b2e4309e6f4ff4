#pragma once
#include "chart/ChartSource.h"
#include "chart/StripChartLayout.h"
#include "chart/StripChartSettings.h"
#include "chart/StripChartStore.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <vector>

class QPainter;

// The data cursor: a line across the plot and a box that reads the time at
// the line and each shown channel's value at the row under it, named by
// sensor and value with its unit. Where the rows stand for summaries, the box
// reads the time span of the pixel column under the line and each channel's
// minimum, mean and maximum over it.
//
// The box stays inside the plot, on the half away from the line, so it never
// covers the axes or the values next to the cursor; entries that do not fit
// the plot's height run on in further columns.
class StripChartReadout {
public:
    struct Entry {
        QString text;
        uint32_t colour; // the swatch; the first entry (the time) has none
    };
    struct Box {
        std::vector<Entry> entries;
        double px = 0;
        double lineHeight = 0;
        double columnWidth = 0;
        int rowsPerColumn = 1;
        QRectF box;
        QRectF area; // box and line
    };

    StripChartReadout(const StripChartStore& store, const StripChartSettings& settings, const QFont& font);
    // Reads the summaries of `source` (which must outlive the readout).
    void summariseFrom(const ChartSource& source) { summaries_ = &source; }

    Box box(const StripChartLayout& layout, double px, int64_t row) const;
    // Paints the line and the box; returns the area painted.
    QRectF paint(QPainter& painter, const StripChartLayout& layout, double px, int64_t row) const;

    // "Sensor1 · Oil Temperature 52.2 °C"; a dash without a value.
    static QString entryText(const StripChartChannel& channel, bool have, float value);
    // "Sensor1 · Oil Temperature 50.1 / 52.3 / 54.0 °C" (min / mean / max).
    static QString summaryText(const StripChartChannel& channel, const ChartSummary& summary);

private:
    void addEntries(Box& result, const StripChartLayout& layout, double x, int64_t row) const;
    QString timeText(double x) const;

    const StripChartStore& store_;
    const StripChartSettings& settings_;
    const QFont& font_;
    const ChartSource* summaries_ = nullptr;
};
