#include "display/StripChartStore.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr int kChunkShift = 16;
constexpr int64_t kLocalMask = StripChartStore::kChunkRows - 1;
constexpr int kBlock1Shift = 6;  // 64 points
constexpr int kBlock2Shift = 12; // 4096 points
// Far more than any caller builds; keeps a wild channel number from
// allocating without bound.
constexpr int kMaxChannels = 1024;

double notANumber() { return std::numeric_limits<double>::quiet_NaN(); }

// Summaries hold (min, max) pairs, one pair per block.
void widen(std::vector<float>& summary, size_t block, float v)
{
    if (summary.size() / 2 == block) {
        summary.push_back(v);
        summary.push_back(v);
        return;
    }
    float& mn = summary[2 * block];
    float& mx = summary[2 * block + 1];
    mn = std::min(mn, v);
    mx = std::max(mx, v);
}
} // namespace

struct StripChartStore::Column {
    std::vector<float> values;
    std::vector<uint16_t> rows; // chunk-local row of each point; only while sparse
    std::vector<float> level1;  // min/max per 64 points
    std::vector<float> level2;  // min/max per 4096 points
    bool sparse = false;        // false: point i is in row i

    size_t size() const { return values.size(); }
    int64_t rowOf(size_t point) const { return sparse ? rows[point] : int64_t(point); }

    void add(int64_t localRow, float v)
    {
        if (!sparse && values.size() != size_t(localRow)) {
            rows.resize(values.size());
            for (size_t i = 0; i < rows.size(); ++i)
                rows[i] = uint16_t(i);
            sparse = true;
        }
        if (sparse)
            rows.push_back(uint16_t(localRow));
        values.push_back(v);
        const size_t i = values.size() - 1;
        widen(level1, i >> kBlock1Shift, v);
        widen(level2, i >> kBlock2Shift, v);
    }

    void replaceLast(float v)
    {
        const size_t i = values.size() - 1;
        values[i] = v;
        const size_t b1 = i >> kBlock1Shift;
        float mn = v, mx = v;
        for (size_t p = b1 << kBlock1Shift; p <= i; ++p) {
            mn = std::min(mn, values[p]);
            mx = std::max(mx, values[p]);
        }
        level1[2 * b1] = mn;
        level1[2 * b1 + 1] = mx;
        const size_t b2 = i >> kBlock2Shift;
        for (size_t b = b2 << (kBlock2Shift - kBlock1Shift); b < b1; ++b) {
            mn = std::min(mn, level1[2 * b]);
            mx = std::max(mx, level1[2 * b + 1]);
        }
        level2[2 * b2] = mn;
        level2[2 * b2 + 1] = mx;
    }

    // Points whose chunk-local rows lie in [a, b).
    std::pair<size_t, size_t> pointsIn(int64_t a, int64_t b) const
    {
        if (!sparse) {
            const int64_t n = int64_t(values.size());
            return {size_t(std::clamp<int64_t>(a, 0, n)), size_t(std::clamp<int64_t>(b, 0, n))};
        }
        const auto lo = std::lower_bound(rows.begin(), rows.end(), a, [](uint16_t r, int64_t v) { return r < v; });
        const auto hi = std::lower_bound(lo, rows.end(), b, [](uint16_t r, int64_t v) { return r < v; });
        return {size_t(lo - rows.begin()), size_t(hi - rows.begin())};
    }

    void minMax(size_t p, size_t end, float& mn, float& mx) const
    {
        constexpr size_t b1 = size_t(1) << kBlock1Shift;
        constexpr size_t b2 = size_t(1) << kBlock2Shift;
        while (p < end) {
            if ((p & (b2 - 1)) == 0 && p + b2 <= end) {
                mn = std::min(mn, level2[2 * (p >> kBlock2Shift)]);
                mx = std::max(mx, level2[2 * (p >> kBlock2Shift) + 1]);
                p += b2;
            } else if ((p & (b1 - 1)) == 0 && p + b1 <= end) {
                mn = std::min(mn, level1[2 * (p >> kBlock1Shift)]);
                mx = std::max(mx, level1[2 * (p >> kBlock1Shift) + 1]);
                p += b1;
            } else {
                mn = std::min(mn, values[p]);
                mx = std::max(mx, values[p]);
                ++p;
            }
        }
    }

    void shrink()
    {
        values.shrink_to_fit();
        rows.shrink_to_fit();
        level1.shrink_to_fit();
        level2.shrink_to_fit();
    }

    size_t bytes() const
    {
        return values.capacity() * sizeof(float) + rows.capacity() * sizeof(uint16_t)
            + (level1.capacity() + level2.capacity()) * sizeof(float);
    }
};

struct StripChartStore::Chunk {
    double base = 0; // x of the chunk's first row; rows keep float offsets from it
    std::vector<float> dx;
    std::vector<Column> columns;
};

StripChartStore::StripChartStore() = default;
StripChartStore::~StripChartStore() = default;

void StripChartStore::clear()
{
    chunks_.clear();
    firstChunk_ = firstRow_ = totalRows_ = 0;
    rowOpen_ = false;
}

void StripChartStore::clearPoints()
{
    for (auto& chunk : chunks_) {
        chunk->columns.clear();
        chunk->columns.shrink_to_fit();
    }
}

void StripChartStore::setCapacity(int64_t rows)
{
    capacity_ = std::max<int64_t>(rows, 1);
    if (rowCount() > capacity_)
        dropOldest(rowCount() - capacity_);
}

bool StripChartStore::addRow(double x)
{
    rowOpen_ = false;
    if (!std::isfinite(x))
        return false;
    if (rowCount() >= capacity_) {
        if (!autoDrop_)
            return false;
        const int64_t keep = dropTarget_ > 0 && dropTarget_ < capacity_ ? dropTarget_ : capacity_ - 1;
        dropOldest(rowCount() - keep);
    }
    const int64_t chunkNo = totalRows_ >> kChunkShift;
    if (chunks_.empty() || firstChunk_ + int64_t(chunks_.size()) <= chunkNo) {
        if (!chunks_.empty())
            closeChunk(*chunks_.back());
        if (chunks_.empty())
            firstChunk_ = chunkNo;
        auto chunk = std::make_unique<Chunk>();
        chunk->base = x;
        chunk->dx.reserve(size_t(kChunkRows));
        chunks_.push_back(std::move(chunk));
    }
    Chunk& chunk = *chunks_.back();
    chunk.dx.push_back(float(x - chunk.base));
    ++totalRows_;
    rowOpen_ = true;
    return true;
}

void StripChartStore::setValue(int channel, double value)
{
    if (!rowOpen_ || channel < 0 || channel >= kMaxChannels || !std::isfinite(value))
        return;
    Chunk& chunk = *chunks_.back();
    if (int(chunk.columns.size()) <= channel)
        chunk.columns.resize(size_t(channel) + 1);
    Column& column = chunk.columns[size_t(channel)];
    const int64_t local = (totalRows_ - 1) & kLocalMask;
    const float v = float(value);
    if (column.size() > 0 && column.rowOf(column.size() - 1) == local)
        column.replaceLast(v);
    else
        column.add(local, v);
}

void StripChartStore::closeChunk(Chunk& chunk)
{
    chunk.dx.shrink_to_fit();
    for (auto& column : chunk.columns)
        column.shrink();
}

void StripChartStore::dropOldest(int64_t rows)
{
    if (rows <= 0)
        return;
    firstRow_ = std::min(firstRow_ + rows, totalRows_);
    while (!chunks_.empty() && ((firstChunk_ + 1) << kChunkShift) <= firstRow_) {
        chunks_.pop_front();
        ++firstChunk_;
    }
}

StripChartStore::Chunk* StripChartStore::chunkOfGlobal(int64_t global) const
{
    return chunks_[size_t((global >> kChunkShift) - firstChunk_)].get();
}

double StripChartStore::xOfGlobal(int64_t global) const
{
    const Chunk* chunk = chunkOfGlobal(global);
    return chunk->base + double(chunk->dx[size_t(global & kLocalMask)]);
}

double StripChartStore::x(int64_t row) const
{
    if (row < 0 || row >= rowCount())
        return notANumber();
    return xOfGlobal(firstRow_ + row);
}

double StripChartStore::value(int64_t row, int channel) const
{
    if (row < 0 || row >= rowCount() || channel < 0)
        return notANumber();
    const int64_t global = firstRow_ + row;
    const Chunk* chunk = chunkOfGlobal(global);
    if (size_t(channel) >= chunk->columns.size())
        return notANumber();
    const Column& column = chunk->columns[size_t(channel)];
    const int64_t local = global & kLocalMask;
    const auto [p, end] = column.pointsIn(local, local + 1);
    return p < end ? double(column.values[p]) : notANumber();
}

int64_t StripChartStore::lowerBound(double x) const
{
    int64_t lo = 0;
    int64_t hi = rowCount();
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (xOfGlobal(firstRow_ + mid) < x)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int64_t StripChartStore::nearestRow(double x) const
{
    const int64_t n = rowCount();
    if (n == 0)
        return -1;
    const int64_t i = lowerBound(x);
    if (i >= n)
        return n - 1;
    if (i == 0)
        return 0;
    return x - this->x(i - 1) <= this->x(i) - x ? i - 1 : i;
}

StripChartStore::Extremes StripChartStore::extremes(int channel, int64_t begin, int64_t end) const
{
    Extremes result;
    begin = std::max<int64_t>(begin, 0);
    end = std::min(end, rowCount());
    if (channel < 0 || begin >= end)
        return result;
    const int64_t g0 = firstRow_ + begin;
    const int64_t g1 = firstRow_ + end;
    float mn = std::numeric_limits<float>::infinity();
    float mx = -mn;
    for (int64_t c = g0 >> kChunkShift; c <= (g1 - 1) >> kChunkShift; ++c) {
        const Chunk* chunk = chunks_[size_t(c - firstChunk_)].get();
        if (size_t(channel) >= chunk->columns.size())
            continue;
        const Column& column = chunk->columns[size_t(channel)];
        const int64_t start = c << kChunkShift;
        const auto [p0, p1] = column.pointsIn(std::max(g0, start) - start, std::min(g1, start + kChunkRows) - start);
        if (p0 >= p1)
            continue;
        if (result.empty)
            result.first = column.values[p0];
        result.empty = false;
        result.last = column.values[p1 - 1];
        column.minMax(p0, p1, mn, mx);
    }
    result.min = mn;
    result.max = mx;
    return result;
}

StripChartStore::Point StripChartStore::pointAtOrBefore(int channel, int64_t row) const
{
    row = std::min(row, rowCount() - 1);
    if (channel < 0 || row < 0)
        return {};
    const int64_t g = firstRow_ + row;
    for (int64_t c = g >> kChunkShift; c >= firstChunk_; --c) {
        const Chunk* chunk = chunks_[size_t(c - firstChunk_)].get();
        if (size_t(channel) >= chunk->columns.size())
            continue;
        const Column& column = chunk->columns[size_t(channel)];
        const int64_t start = c << kChunkShift;
        const auto [p0, p1] = column.pointsIn(std::max(firstRow_, start) - start, std::min(g + 1, start + kChunkRows) - start);
        if (p0 < p1)
            return {start + column.rowOf(p1 - 1) - firstRow_, column.values[p1 - 1]};
    }
    return {};
}

StripChartStore::Point StripChartStore::pointAtOrAfter(int channel, int64_t row) const
{
    row = std::max<int64_t>(row, 0);
    if (channel < 0 || row >= rowCount())
        return {};
    const int64_t g = firstRow_ + row;
    const int64_t lastChunk = firstChunk_ + int64_t(chunks_.size()) - 1;
    for (int64_t c = g >> kChunkShift; c <= lastChunk; ++c) {
        const Chunk* chunk = chunks_[size_t(c - firstChunk_)].get();
        if (size_t(channel) >= chunk->columns.size())
            continue;
        const Column& column = chunk->columns[size_t(channel)];
        const int64_t start = c << kChunkShift;
        const auto [p0, p1] = column.pointsIn(std::max(g, start) - start, kChunkRows);
        if (p0 < p1)
            return {start + column.rowOf(p0) - firstRow_, column.values[p0]};
    }
    return {};
}

size_t StripChartStore::memoryBytes() const
{
    size_t bytes = sizeof(*this) + chunks_.size() * sizeof(void*);
    for (const auto& chunk : chunks_) {
        bytes += sizeof(Chunk) + chunk->dx.capacity() * sizeof(float) + chunk->columns.capacity() * sizeof(Column);
        for (const auto& column : chunk->columns)
            bytes += column.bytes();
    }
    return bytes;
}
