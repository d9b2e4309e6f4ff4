#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

// The rows of the strip chart, widget-free.
//
// A row has an x (days) and a value for some of the channels. Rows live in
// chunks of 65536; inside a chunk each channel keeps only the points it was
// given (32-bit floats), with their row numbers only when some rows of the
// chunk lack a point for it. Every channel also keeps a min/max summary over
// blocks of 16, 256 and 4096 points, so that the extremes of any row range cost
// a few dozen reads however many rows it spans. Blocks of kBlockRows and 4096
// also keep their first and last value: a range from one block start to
// another is read from the summaries alone, without touching single points.
//
// Rows are numbered 0..rowCount()-1 from the oldest kept row; dropping the
// oldest renumbers the rest. x values are expected not to decrease.
class StripChartStore {
public:
    static constexpr int64_t kChunkRows = 65536;
    static constexpr int64_t kBlockRows = 256;
    static constexpr int64_t kFinestBlockRows = 16;

    // Extremes of one channel over a row range; empty when it has no point there.
    struct Extremes {
        bool empty = true;
        float first = 0, last = 0, min = 0, max = 0;
    };
    struct Point {
        int64_t row = -1;
        float value = 0;
    };

    StripChartStore();
    ~StripChartStore();
    StripChartStore(const StripChartStore&) = delete;
    StripChartStore& operator=(const StripChartStore&) = delete;

    // Removes every row; capacity and drop settings stay.
    void clear();
    // Removes every point of every channel; the rows and their x stay.
    void clearPoints();

    // At most `rows` rows are kept (values below 1 count as 1). Rows beyond a
    // new, smaller capacity are dropped from the oldest at once.
    void setCapacity(int64_t rows);
    int64_t capacity() const { return capacity_; }
    // With auto drop a full store drops its oldest rows to make room (down to
    // the drop target, or by one row when the target is unset or not below the
    // capacity); without it further rows are refused.
    void setAutoDrop(bool drop) { autoDrop_ = drop; }
    bool autoDrop() const { return autoDrop_; }
    void setDropTarget(int64_t rows) { dropTarget_ = rows; }
    int64_t dropTarget() const { return dropTarget_; }
    // A channel's line breaks where its consecutive points lie more than
    // this far apart in x (days), as if a row without a value lay between
    // them: a time without rows is not bridged. 0 joins any two points.
    void setGapDays(double days) { gapDays_ = days > 0.0 ? days : 0.0; }

    // Appends a row and makes it the open row; false when it was refused.
    bool addRow(double x);
    // Sets a channel's value in the open row (a second call for the same channel
    // replaces the first). Ignored without an open row, for a negative channel
    // and for infinite values. NaN means the channel has no value in this row:
    // its line breaks there instead of joining the points on either side.
    void setValue(int channel, double value);
    // Closes the open row; later setValue calls are ignored until the next row.
    void closeRow() { rowOpen_ = false; }
    // Rows in bulk, each added, given its values and closed as by the calls
    // above: row r has the x xs[r] and the values values[r * valuesPerRow + k]
    // in the channels channels[r * valuesPerRow + k]; channels that are
    // negative or not below channelLimit are skipped.
    void addRows(const double* xs, size_t rows, const int* channels, const double* values, int valuesPerRow,
                 int channelLimit);

    int64_t rowCount() const { return totalRows_ - firstRow_; }
    // How many rows were dropped since the store was last cleared: row r is
    // the (firstRowNumber() + r)-th row added since then.
    int64_t firstRowNumber() const { return firstRow_; }
    // x of a row; NaN outside 0..rowCount()-1.
    double x(int64_t row) const;
    // A channel's value in a row; NaN where it has no point.
    double value(int64_t row, int channel) const;
    // First row whose x is not less than the given x (rowCount() when none).
    int64_t lowerBound(double x) const;
    // The same, trying `guess` first: two reads instead of a search when rows
    // come at an even pace and the guess follows the previous step.
    int64_t lowerBound(double x, int64_t guess) const;
    // lowerBound(x) moved forward to the next row that starts a summary block
    // (of the coarsest level that fits, kFinestBlockRows at least) when all
    // rows it skips have x below x + slack; the exact lowerBound otherwise.
    // A frame with many rows per pixel column bounds its columns with it: the
    // skipped rows shift by under `slack` in x, and each column's extremes
    // come from summaries read in order instead of from points scattered over
    // the whole playback.
    int64_t blockBound(double x, double slack, int64_t guess) const;
    // Row whose x is nearest the given x; -1 without rows.
    int64_t nearestRow(double x) const;

    // first/min/max/last of a channel over rows [begin, end).
    Extremes extremes(int channel, int64_t begin, int64_t end) const;
    // extremes() of consecutive row ranges: out[i] for rows
    // [bounds[i], bounds[i + 1]), i below `ranges`. One pass along the
    // channel's memory, reading ahead, instead of a search for each range.
    void extremesOfRanges(int channel, const int64_t* bounds, size_t ranges, Extremes* out) const;
    // Whether the channel's line breaks in rows [begin, end).
    bool breaksIn(int channel, int64_t begin, int64_t end) const;
    // The channel's newest point in rows 0..row, and its oldest point in rows
    // row..rowCount()-1; row -1 in the result when there is none.
    Point pointAtOrBefore(int channel, int64_t row) const;
    Point pointAtOrAfter(int channel, int64_t row) const;

    // Asks the processor to fetch what reading a row's x, or a channel near a
    // row, will touch; a frame issues these a few columns ahead, so memory
    // latency over a long playback overlaps the work instead of adding to it.
    // With blockStart, what blockBound near the row reads instead.
    void prefetchRow(int64_t row, bool blockStart = false) const;
    void prefetchChannel(int channel, int64_t row) const;

    // Bytes held by rows, points and summaries.
    size_t memoryBytes() const;

private:
    struct Column;
    struct Chunk;

    Chunk* chunkOfGlobal(int64_t global) const;
    Chunk* startChunk(double x);
    void putValue(Chunk& chunk, int channel, double value);
    void putBreak(int channel);
    void breakOverGap(int channel);
    double xOfGlobal(int64_t global) const;
    void dropOldest(int64_t rows);
    void closeChunk(Chunk& chunk);

    // Per channel, the global rows where its line breaks, oldest first.
    std::vector<std::vector<int64_t>> breaks_;
    // Per channel, the x of its newest point (NaN before the first).
    std::vector<double> lastX_;
    double openX_ = 0; // x of the open row
    double gapDays_ = 0;
    std::deque<std::unique_ptr<Chunk>> chunks_;
    Chunk* openChunk_ = nullptr; // holds the open row while rowOpen_
    int64_t firstChunk_ = 0; // global chunk number of chunks_.front()
    int64_t firstRow_ = 0;   // global number of row 0
    int64_t totalRows_ = 0;  // global number of the next row
    int64_t capacity_ = 100000;
    int64_t dropTarget_ = 0;
    bool autoDrop_ = true;
    bool rowOpen_ = false;
};
