#pragma once
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
// sensor and value with its unit.
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

    Box box(const StripChartLayout& layout, double px, int64_t row) const;
    // Paints the line and the box; returns the area painted.
    QRectF paint(QPainter& painter, const StripChartLayout& layout, double px, int64_t row) const;

    // "Sensor1 · Oil Temperature 52.2 °C"; a dash without a value.
    static QString entryText(const StripChartChannel& channel, bool have, float value);

private:
    const StripChartStore& store_;
    const StripChartSettings& settings_;
    const QFont& font_;
};
