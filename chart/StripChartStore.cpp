#include "chart/StripChartStore.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr int kChunkShift = 16;
constexpr int64_t kLocalMask = StripChartStore::kChunkRows - 1;
// Summary levels: min/max per 16, 256 and 4096 points.
constexpr int kLevels = 3;
constexpr int kLevelShift[kLevels] = {4, 8, 12};
constexpr int kCoarseShift = 8; // one x in 256 is kept where the cache finds it
// Blocks from this level up also keep their first and last value, next to
// their min and max so one read fetches all four, and their first rows are
// among the rows whose x the coarse index holds: a range between two block
// starts is summed up from the summaries and that index alone.
constexpr int kEndsLevel = 1;
constexpr size_t stride(int level) { return level >= kEndsLevel ? 4 : 2; }
constexpr size_t blockMask(int level) { return (size_t(1) << kLevelShift[level]) - 1; }
static_assert(kLevelShift[kEndsLevel] == kCoarseShift, "block starts must be the coarse rows");
static_assert(int64_t(1) << kCoarseShift == StripChartStore::kBlockRows, "block size");
static_assert(int64_t(1) << kLevelShift[0] == StripChartStore::kFinestBlockRows, "block size");
// Far more than any caller builds; keeps a wild channel number from
// allocating without bound.
constexpr int kMaxChannels = 1024;

double notANumber() { return std::numeric_limits<double>::quiet_NaN(); }
} // namespace

// Summaries hold (min, max) per block, followed by (first, last) where the
// stride is 4. A block gets its summary when its last point comes in.
struct StripChartStore::Column {
    std::vector<float> values;
    std::vector<uint16_t> rows;        // chunk-local row of each point; only while sparse
    std::vector<float> levels[kLevels]; // (min, max[, first, last]) per block of each level
    bool sparse = false;               // false: point i is in row i
    int64_t lastRow = -1;              // chunk-local row of the newest point

    size_t size() const { return values.size(); }
    int64_t rowOf(size_t point) const { return sparse ? rows[point] : int64_t(point); }

    // Room for as many points as another chunk's column took, so that a
    // chunk fills without regrowing its vectors.
    void reserveLike(const Column& other)
    {
        const size_t points = other.values.size();
        values.reserve(points);
        if (other.sparse)
            rows.reserve(points);
        for (int level = 0; level < kLevels; ++level)
            levels[level].reserve(other.levels[level].size());
    }

    void add(int64_t localRow, float v)
    {
        lastRow = localRow;
        if (!sparse && values.size() != size_t(localRow)) {
            rows.resize(values.size());
            for (size_t i = 0; i < rows.size(); ++i)
                rows[i] = uint16_t(i);
            sparse = true;
        }
        if (sparse)
            rows.push_back(uint16_t(localRow));
        values.push_back(v);
        // A block is summed up once its last point is in; until then its
        // points are read one by one.
        if ((values.size() & blockMask(0)) == 0)
            summariseEndingBlocks(false);
    }

    // The summaries of the blocks that the newest point completes: written
    // anew (replace) or appended.
    void summariseEndingBlocks(bool replace)
    {
        const size_t n = values.size();
        for (int level = 0; level < kLevels && (n & blockMask(level)) == 0; ++level) {
            const size_t block = (n >> kLevelShift[level]) - 1;
            float mn, mx;
            if (level == 0) {
                const float* p = values.data() + (block << kLevelShift[0]);
                mn = mx = p[0];
                for (size_t k = 1; k <= blockMask(0); ++k) {
                    mn = std::min(mn, p[k]);
                    mx = std::max(mx, p[k]);
                }
            } else {
                const std::vector<float>& below = levels[level - 1];
                const size_t s = stride(level - 1);
                const size_t per = size_t(1) << (kLevelShift[level] - kLevelShift[level - 1]);
                const float* p = below.data() + s * block * per;
                mn = p[0];
                mx = p[1];
                for (size_t k = 1; k < per; ++k) {
                    mn = std::min(mn, p[s * k]);
                    mx = std::max(mx, p[s * k + 1]);
                }
            }
            std::vector<float>& summary = levels[level];
            const float entry[4] = {mn, mx, values[block << kLevelShift[level]], values[n - 1]};
            const size_t width = stride(level);
            if (replace)
                std::copy(entry, entry + width, summary.begin() + std::ptrdiff_t(width * block));
            else
                summary.insert(summary.end(), entry, entry + width);
        }
    }

    void replaceLast(float v)
    {
        values.back() = v;
        if ((values.size() & blockMask(0)) == 0)
            summariseEndingBlocks(true);
    }

    // Whether the summary of block `block` of a level is made (its block is
    // complete).
    bool summarised(int level, size_t block) const { return stride(level) * block < levels[level].size(); }

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

    // The highest level's whole blocks in the middle of the range, lower
    // levels and single points at its ragged ends; each piece a straight loop.
    void minMax(size_t begin, size_t end, float& mn, float& mx) const { cover(kLevels - 1, begin, end, mn, mx); }

    void cover(int level, size_t begin, size_t end, float& mn, float& mx) const
    {
        if (level < 0) {
            for (size_t p = begin; p < end; ++p) {
                mn = std::min(mn, values[p]);
                mx = std::max(mx, values[p]);
            }
            return;
        }
        const int shift = kLevelShift[level];
        const size_t mask = (size_t(1) << shift) - 1;
        const size_t first = (begin + mask) & ~mask;
        const size_t last = end & ~mask;
        if (first >= last) {
            cover(level - 1, begin, end, mn, mx);
            return;
        }
        cover(level - 1, begin, first, mn, mx);
        const std::vector<float>& summary = levels[level];
        const size_t s = stride(level);
        for (size_t b = first >> shift; b < last >> shift; ++b) {
            mn = std::min(mn, summary[s * b]);
            mx = std::max(mx, summary[s * b + 1]);
        }
        cover(level - 1, last, end, mn, mx);
    }

    void shrink()
    {
        values.shrink_to_fit();
        rows.shrink_to_fit();
        for (auto& summary : levels)
            summary.shrink_to_fit();
    }

    size_t bytes() const
    {
        size_t bytes = values.capacity() * sizeof(float) + rows.capacity() * sizeof(uint16_t);
        for (const auto& summary : levels)
            bytes += summary.capacity() * sizeof(float);
        return bytes;
    }
};

struct StripChartStore::Chunk {
    double base = 0; // x of the chunk's first row; rows keep float offsets from it
    std::vector<float> dx;
    std::vector<float> coarse; // every 256th dx, searched before dx itself
    std::vector<Column> columns;
};

StripChartStore::StripChartStore() = default;
StripChartStore::~StripChartStore() = default;

void StripChartStore::clear()
{
    breaks_.clear();
    lastX_.clear();
    chunks_.clear();
    firstChunk_ = firstRow_ = totalRows_ = 0;
    rowOpen_ = false;
}

void StripChartStore::clearPoints()
{
    breaks_.clear();
    lastX_.clear();
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
    // Every kChunkRows rows a new chunk begins (also the first after clear():
    // no rows, no chunks); otherwise the open chunk is the newest one.
    if ((totalRows_ & kLocalMask) == 0)
        openChunk_ = startChunk(x);
    Chunk& chunk = *openChunk_;
    const float dx = float(x - chunk.base);
    if ((totalRows_ & ((int64_t(1) << kCoarseShift) - 1)) == 0)
        chunk.coarse.push_back(dx);
    chunk.dx.push_back(dx);
    openX_ = x;
    ++totalRows_;
    rowOpen_ = true;
    return true;
}

StripChartStore::Chunk* StripChartStore::startChunk(double x)
{
    auto chunk = std::make_unique<Chunk>();
    if (!chunks_.empty()) {
        Chunk& previous = *chunks_.back();
        closeChunk(previous);
        chunk->columns.resize(previous.columns.size());
        for (size_t c = 0; c < previous.columns.size(); ++c)
            chunk->columns[c].reserveLike(previous.columns[c]);
    } else {
        firstChunk_ = totalRows_ >> kChunkShift;
    }
    chunk->base = x;
    chunk->dx.reserve(size_t(kChunkRows));
    chunks_.push_back(std::move(chunk));
    return chunks_.back().get();
}

void StripChartStore::setValue(int channel, double value)
{
    if (rowOpen_)
        putValue(*openChunk_, channel, value);
}

inline void StripChartStore::putValue(Chunk& chunk, int channel, double value)
{
    if (channel < 0 || channel >= kMaxChannels)
        return;
    if (std::isnan(value)) {
        putBreak(channel);
        return;
    }
    if (!std::isfinite(value))
        return;
    if (int(chunk.columns.size()) <= channel)
        chunk.columns.resize(size_t(channel) + 1);
    if (gapDays_ > 0.0)
        breakOverGap(channel);
    Column& column = chunk.columns[size_t(channel)];
    const int64_t local = (totalRows_ - 1) & kLocalMask;
    const float v = float(value);
    if (column.lastRow == local)
        column.replaceLast(v);
    else
        column.add(local, v);
}

void StripChartStore::putBreak(int channel)
{
    if (int(breaks_.size()) <= channel)
        breaks_.resize(size_t(channel) + 1);
    std::vector<int64_t>& rows = breaks_[size_t(channel)];
    const int64_t row = totalRows_ - 1;
    if (rows.empty() || rows.back() != row)
        rows.push_back(row);
}

void StripChartStore::breakOverGap(int channel)
{
    if (int(lastX_.size()) <= channel)
        lastX_.resize(size_t(channel) + 1, std::nan(""));
    double& last = lastX_[size_t(channel)];
    if (openX_ - last > gapDays_)
        putBreak(channel);
    last = openX_;
}

bool StripChartStore::breaksIn(int channel, int64_t begin, int64_t end) const
{
    if (channel < 0 || size_t(channel) >= breaks_.size() || begin >= end)
        return false;
    const std::vector<int64_t>& rows = breaks_[size_t(channel)];
    const auto first = std::lower_bound(rows.begin(), rows.end(), begin + firstRow_);
    return first != rows.end() && *first < end + firstRow_;
}

void StripChartStore::addRows(const double* xs, size_t rows, const int* channels, const double* values,
                              int valuesPerRow, int channelLimit)
{
    const size_t perRow = size_t(std::max(valuesPerRow, 0));
    for (size_t r = 0; r < rows; ++r) {
        if (!addRow(xs[r]))
            continue;
        Chunk& chunk = *openChunk_;
        for (size_t i = r * perRow; i < (r + 1) * perRow; ++i)
            if (channels[i] < channelLimit)
                putValue(chunk, channels[i], values[i]);
    }
    rowOpen_ = false;
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
    for (std::vector<int64_t>& channelBreaks : breaks_)
        channelBreaks.erase(channelBreaks.begin(),
                            std::lower_bound(channelBreaks.begin(), channelBreaks.end(), firstRow_));
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
    if (rowCount() == 0)
        return 0;
    // The chunk first (its bases are few and close together), then the row
    // inside it: two short searches instead of one across scattered memory.
    const auto after = std::partition_point(chunks_.begin(), chunks_.end(),
        [x](const std::unique_ptr<Chunk>& chunk) { return chunk->base < x; });
    if (after == chunks_.begin())
        return 0;
    const int64_t index = int64_t(after - chunks_.begin()) - 1;
    const Chunk& chunk = *chunks_[size_t(index)];
    const int64_t start = (firstChunk_ + index) << kChunkShift;
    const auto before = [&chunk, x](float dx) { return chunk.base + double(dx) < x; };
    // The coarse entry bounds the window of dx to search: rows from the last
    // coarse row below x up to the first coarse row not below it.
    const auto coarse = std::partition_point(chunk.coarse.begin(), chunk.coarse.end(), before);
    const int64_t window = int64_t(1) << kCoarseShift;
    const int64_t upper = std::min<int64_t>(int64_t(coarse - chunk.coarse.begin()) * window, int64_t(chunk.dx.size()));
    const int64_t lower = coarse == chunk.coarse.begin() ? 0 : upper - window;
    const int64_t from = std::max(std::max(firstRow_, start) - start, lower);
    const auto it = std::partition_point(chunk.dx.begin() + std::min(from, upper), chunk.dx.begin() + upper, before);
    return std::max<int64_t>(start + int64_t(it - chunk.dx.begin()) - firstRow_, 0);
}

int64_t StripChartStore::lowerBound(double x, int64_t guess) const
{
    // A few rows either side of the guess absorb the rounding of an even pace.
    const int64_t n = rowCount();
    const int64_t lo = std::clamp<int64_t>(guess - 4, 0, n);
    const int64_t hi = std::clamp<int64_t>(guess + 4, 0, n);
    if ((lo == 0 || xOfGlobal(firstRow_ + lo - 1) < x) && (hi == n || !(xOfGlobal(firstRow_ + hi) < x))) {
        int64_t row = lo;
        while (row < hi && xOfGlobal(firstRow_ + row) < x)
            ++row;
        return row;
    }
    return lowerBound(x);
}

int64_t StripChartStore::blockBound(double x, double slack, int64_t guess) const
{
    const int64_t n = rowCount();
    if (n == 0)
        return 0;
    // The chunk holding the last row below x: the guess's chunk when it is the
    // one, so a frame's columns walk the chunks instead of searching them.
    const auto below = [x](const std::unique_ptr<Chunk>& chunk) { return chunk->base < x; };
    const int64_t guessed = firstRow_ + std::clamp<int64_t>(guess, 0, n - 1);
    size_t index = size_t((guessed >> kChunkShift) - firstChunk_);
    const bool near = below(chunks_[index]) && (index + 1 == chunks_.size() || !below(chunks_[index + 1]));
    if (!near) {
        const auto after = std::partition_point(chunks_.begin(), chunks_.end(), below);
        if (after == chunks_.begin())
            return 0;
        index = size_t(after - chunks_.begin()) - 1;
    }
    const Chunk& chunk = *chunks_[index];
    const auto before = [&chunk, x](float dx) { return chunk.base + double(dx) < x; };
    // From the guess a few steps through the coarse index, in memory order;
    // a search only when the guess is far off.
    auto coarse = chunk.coarse.end();
    if (near) {
        size_t k = std::min(size_t((guessed & kLocalMask) >> kCoarseShift), chunk.coarse.size());
        int steps = 0;
        while (k < chunk.coarse.size() && before(chunk.coarse[k]) && ++steps < 64)
            ++k;
        while (k > 0 && !before(chunk.coarse[k - 1]) && ++steps < 64)
            --k;
        if (steps < 64)
            coarse = chunk.coarse.begin() + std::ptrdiff_t(k);
    }
    if (!near || coarse == chunk.coarse.end())
        coarse = std::partition_point(chunk.coarse.begin(), chunk.coarse.end(), before);
    const int64_t start = (firstChunk_ + int64_t(index)) << kChunkShift;
    // The block start of the coarsest level that the slack allows: every row
    // skipped lies in [x, x of the block start).
    const size_t k = size_t(coarse - chunk.coarse.begin());
    for (int level = kLevels - 1; level >= kEndsLevel; --level) {
        const size_t per = size_t(1) << (kLevelShift[level] - kCoarseShift);
        const size_t at = (k + per - 1) & ~(per - 1);
        double candidateX = 0;
        if (at < chunk.coarse.size())
            candidateX = chunk.base + double(chunk.coarse[at]);
        else if (at << kCoarseShift == size_t(kChunkRows) && index + 1 < chunks_.size())
            candidateX = chunks_[index + 1]->base;
        else
            continue;
        if (candidateX - x <= slack)
            return std::max<int64_t>(start + (int64_t(at) << kCoarseShift) - firstRow_, 0);
    }
    // Failing those, the start of a finest block still spares the single
    // points at the column's edges.
    const int64_t exact = lowerBound(x, guess);
    const int64_t finest = ((firstRow_ + exact + kFinestBlockRows - 1) & ~(kFinestBlockRows - 1)) - firstRow_;
    if (finest > exact && finest < n && xOfGlobal(firstRow_ + finest) - x <= slack)
        return finest;
    return exact;
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
        // Between block starts the block ends stand in for the single points,
        // which over a long view lie far apart in memory.
        int level = kLevels - 1;
        // Captures copies: lambdas may not capture structured bindings
        // before C++20.
        const auto aligned = [&column, first = p0, last = p1](int l) {
            return (first & blockMask(l)) == 0 && ((last & blockMask(l)) == 0 || last == column.size());
        };
        while (level >= kEndsLevel && !(!column.sparse && aligned(level)))
            --level;
        const bool blocks = level >= kEndsLevel;
        const int endsLevel = std::max(level, kEndsLevel);
        const std::vector<float>& ends = column.levels[endsLevel];
        const int shift = kLevelShift[endsLevel];
        const size_t firstBlock = p0 >> shift, lastBlock = (p1 - 1) >> shift;
        const float first = blocks && column.summarised(endsLevel, firstBlock) ? ends[4 * firstBlock + 2]
                                                                              : column.values[p0];
        if (result.empty)
            result.first = first;
        result.empty = false;
        result.last = blocks && column.summarised(endsLevel, lastBlock) ? ends[4 * lastBlock + 3]
                                                                       : column.values[p1 - 1];
        column.minMax(p0, p1, mn, mx);
    }
    result.min = mn;
    result.max = mx;
    return result;
}

void StripChartStore::extremesOfRanges(int channel, const int64_t* bounds, size_t ranges, Extremes* out) const
{
    const Column* column = nullptr;
    int64_t chunkStart = -1; // global first row of the chunk `column` belongs to
    for (size_t i = 0; i < ranges; ++i) {
        const int64_t begin = std::max<int64_t>(bounds[i], 0), end = std::min(bounds[i + 1], rowCount());
        const int64_t g0 = firstRow_ + begin, g1 = firstRow_ + end;
        // Ranges inside one dense chunk column are read straight from it;
        // everything else the general way.
        if (begin >= end || channel < 0 || (g0 >> kChunkShift) != ((g1 - 1) >> kChunkShift)) {
            out[i] = extremes(channel, begin, end);
            continue;
        }
        if ((g0 >> kChunkShift) << kChunkShift != chunkStart) {
            chunkStart = (g0 >> kChunkShift) << kChunkShift;
            const Chunk* chunk = chunkOfGlobal(g0);
            column = size_t(channel) < chunk->columns.size() ? &chunk->columns[size_t(channel)] : nullptr;
        }
        if (column && column->sparse) {
            out[i] = extremes(channel, begin, end);
            continue;
        }
        Extremes& e = out[i];
        e = Extremes();
        const size_t n = column ? column->size() : 0;
        const size_t p0 = std::min(size_t(g0 - chunkStart), n), p1 = std::min(size_t(g1 - chunkStart), n);
        if (i + 8 < ranges && column) {
            const size_t ahead = size_t(std::max(bounds[i + 8] + firstRow_ - chunkStart, int64_t(0)));
            if (ahead < n)
                __builtin_prefetch(column->values.data() + ahead);
        }
        if (p0 >= p1)
            continue;
        // As extremes() does: the ends of the coarsest blocks that the range
        // starts and ends on stand in for single points.
        int level = kLevels - 1;
        while (level >= kEndsLevel
               && !((p0 & blockMask(level)) == 0 && ((p1 & blockMask(level)) == 0 || p1 == n)))
            --level;
        const int endsLevel = std::max(level, kEndsLevel);
        const std::vector<float>& ends = column->levels[endsLevel];
        const int shift = kLevelShift[endsLevel];
        const bool blocks = level >= kEndsLevel;
        const size_t firstBlock = p0 >> shift, lastBlock = (p1 - 1) >> shift;
        e.empty = false;
        e.first = blocks && column->summarised(endsLevel, firstBlock) ? ends[4 * firstBlock + 2] : column->values[p0];
        e.last = blocks && column->summarised(endsLevel, lastBlock) ? ends[4 * lastBlock + 3] : column->values[p1 - 1];
        e.min = std::numeric_limits<float>::infinity();
        e.max = -e.min;
        column->minMax(p0, p1, e.min, e.max);
    }
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

void StripChartStore::prefetchRow(int64_t row, bool blockStart) const
{
    if (row < 0 || row >= rowCount())
        return;
    const int64_t global = firstRow_ + row;
    const Chunk* chunk = chunkOfGlobal(global);
    if (blockStart)
        __builtin_prefetch(chunk->coarse.data() + ((global & kLocalMask) >> kCoarseShift));
    else
        __builtin_prefetch(chunk->dx.data() + (global & kLocalMask));
}

void StripChartStore::prefetchChannel(int channel, int64_t row) const
{
    if (row < 0 || row >= rowCount() || channel < 0)
        return;
    const int64_t global = firstRow_ + row;
    const Chunk* chunk = chunkOfGlobal(global);
    if (size_t(channel) >= chunk->columns.size())
        return;
    const Column& column = chunk->columns[size_t(channel)];
    const size_t local = size_t(global & kLocalMask);
    if (column.sparse || local >= column.size())
        return;
    __builtin_prefetch(column.values.data() + local);
    for (int level = 0; level < kLevels; ++level)
        __builtin_prefetch(column.levels[level].data() + stride(level) * (local >> kLevelShift[level]));
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
