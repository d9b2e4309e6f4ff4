#pragma once
#include <QRectF>
#include <cstdint>

// Where the plot sits inside the painted area and which x range it shows.
//
// The pixel columns lie on a grid fixed in x: column c covers x from
// (firstColumn + c) * columnDays on, so a view that moves on by whole columns
// shows the same columns as before, shifted. That is what lets a new row
// scroll the picture instead of redrawing it.
struct StripChartLayout {
    QRectF area; // everything painted: plot, axes, legend
    QRectF plot;
    double x0 = 0;
    double x1 = 1;
    int columns = 1;         // pixel columns of curves, from plot.left()
    int64_t firstColumn = 0; // grid number of column 0
    double columnDays = 1;   // x width of one column

    double xOfColumn(int c) const { return double(firstColumn + c) * columnDays; }
};
