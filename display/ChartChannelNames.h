#pragma once
#include <QString>

class IStripChart;

// Names a chart channel for the readout, the legend and the exports: value
// 1..5 of the sensor called `sensorName`, with the value's chart caption,
// unit and the decimals its chart numbers carry.
void nameChartChannel(IStripChart& chart, int channel, const QString& sensorName, int value);
