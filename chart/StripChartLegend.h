#pragma once
#include "chart/StripChartSettings.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

// The legend above the plot and the axis titles: the time axis's at the top
// right, beside the legend, the value axis's along its left edge.
//
// The legend names the shown sensors by their colour and the shown values by
// the shade and width their curves are drawn with (in the first shown
// sensor's colour); channels without names stay out of it. It wraps onto as
// many lines as the width needs.
class StripChartLegend {
public:
    struct Item {
        QString text;
        uint32_t colour;
        int lineWidth; // 0: a sensor's colour square; otherwise a line sample
    };

    StripChartLegend(const StripChartSettings& settings, const QFont& font);

    std::vector<Item> items() const;
    // The height the legend and the time axis's title take across `width`.
    double height(double width) const;
    // Into the strip of that height at the top of `area`.
    void paint(QPainter& painter, const QRectF& area) const;

    // "Value (°C, %)": the units of the shown channels.
    QString valueAxisTitle() const;
    static QString timeAxisTitle();

private:
    // Where each item's swatch starts, line by line across `width`.
    std::vector<QPointF> placeItems(const std::vector<Item>& items, double width) const;
    double itemWidth(const Item& item) const;
    double titleRoom() const;

    const StripChartSettings& settings_;
    const QFont& font_;
};
