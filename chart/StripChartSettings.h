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
    // What people read: the readout, the legend and the exports name the
    // curve by sensor and value ("Sensor1", "Oil Temperature") with the
    // value's unit, and show its values with this many decimals.
    QString sensorName;
    QString valueName;
    QString unit;
    int decimals = 2;

    // The colour its curve is drawn in: a sensor's values share its colour,
    // each value in a shade of its own (the first as it is, then lighter and
    // darker by turns).
    uint32_t drawnColour() const
    {
        static constexpr int kKeep[5] = {100, 60, 65, 35, 40};
        static constexpr bool kLighter[5] = {false, true, false, true, false};
        const int i = valueIndex >= 0 && valueIndex < 5 ? valueIndex : 0;
        uint32_t result = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int c = int((colour >> shift) & 0xFF);
            const int mixed = kLighter[i] ? 255 - (255 - c) * kKeep[i] / 100 : c * kKeep[i] / 100;
            result |= uint32_t(mixed) << shift;
        }
        return result;
    }

    // "Sensor1 · Oil Temperature"; the title while no names are given.
    QString displayName() const
    {
        if (sensorName.isEmpty() && valueName.isEmpty())
            return title.trimmed();
        if (sensorName.isEmpty() || valueName.isEmpty())
            return sensorName + valueName;
        return sensorName + QStringLiteral(" \u00B7 ") + valueName;
    }
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
    // While following, the view ends at the newest row (less xOffset) and
    // moves on with new rows; otherwise it ends at xEnd and stays there.
    bool xFollow = true;
    double xEnd = 0.0;
    int xMajorTicks = 5;
    int xMinorTicks = 5;
    // x counts instants (chartDaysFromInstant) rather than local days; the
    // source decides.
    bool xInstants = false;
};
