#pragma once
// Chart rows gathered for one IStripChart::AddRowsAt call: a playback load
// hands the chart thousands of rows at a time instead of making five calls
// for every row.
#include <cstddef>
#include <vector>

class IStripChart;

class ChartRowBatch {
public:
    static constexpr size_t Capacity = 4096;

    // Every row has room for valuesPerRow values (0..5).
    explicit ChartRowBatch(int valuesPerRow);

    // Starts a row whose values are all unset; only when not full().
    void addRow(double x)
    {
        xs_[rows_] = x;
        int* channels = channels_.data() + rows_ * size_t(perRow_);
        for (int k = 0; k < perRow_; ++k)
            channels[k] = -1;
        ++rows_;
    }
    // Sets value k (below valuesPerRow) of the newest row.
    void setValue(int k, int channel, double value)
    {
        const size_t i = (rows_ - 1) * size_t(perRow_) + size_t(k);
        channels_[i] = channel;
        values_[i] = value;
    }
    bool full() const { return rows_ >= Capacity; }

    // Hands the rows to the chart (none without one) and empties the batch.
    void flushTo(IStripChart* chart);

private:
    int perRow_;
    size_t rows_ = 0;
    std::vector<double> xs_;
    std::vector<int> channels_;
    std::vector<double> values_;
};
