#pragma once
#include <QString>
#include <cstdint>
#include <vector>

// One curve of the strip chart.
struct StripChartChannel {
    QString title;
    uint32_t colour = 0; // 0x00BBGGRR
    int valueIndex = 0;  // which of a sensor's five values it shows
    int lineWidth = 1;
    bool visible = true;
};

// What the chart shows: channels and axes. The defaults are the chart's look
// before anyone configures it.
struct StripChartSettings {
    std::vector<StripChartChannel> channels;
    double yMin = -20.0;
    double yMax = 50.0;
    int yMajorTicks = 15;
    int yMinorTicks = 4;
    double xSpan = 1.0 / 720.0; // days: two minutes
    double xOffset = 0.0;       // days the view lies back from the newest row
    int xMajorTicks = 5;
    int xMinorTicks = 5;
};
