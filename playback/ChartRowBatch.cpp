#include "playback/ChartRowBatch.h"

#include "chart/IStripChart.h"

#include <algorithm>

ChartRowBatch::ChartRowBatch(int valuesPerRow)
    : perRow_(std::clamp(valuesPerRow, 0, 5)), xs_(Capacity), channels_(Capacity * size_t(perRow_)),
      values_(Capacity * size_t(perRow_))
{
}

void ChartRowBatch::flushTo(IStripChart* chart)
{
    if (chart && rows_ > 0)
        chart->AddRowsAt(xs_.data(), rows_, channels_.data(), values_.data(), perRow_);
    rows_ = 0;
}
