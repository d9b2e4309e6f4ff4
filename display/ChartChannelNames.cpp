#include "display/ChartChannelNames.h"

#include "core/GaugeLooks.h"
#include "chart/IStripChart.h"

void nameChartChannel(IStripChart& chart, int channel, const QString& sensorName, int value)
{
    const GaugeLooks::Look* look = GaugeLooks::forValue(value);
    if (!look)
        return;
    // Tenths on the evaluator's side are tenths on the chart.
    const int decimals = look->chartDivisor == 10 ? 1 : 0;
    chart.SetChannelNames(channel, sensorName.trimmed(), QString::fromLatin1(look->chartCaption),
                          QString::fromUtf8(look->unit), decimals);
}
