#include "chart/StripChartStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

void addRow(StripChartStore& store, double x, std::initializer_list<std::pair<int, double>> values)
{
    store.addRow(x);
    for (const auto& [channel, value] : values)
        store.setValue(channel, value);
    store.closeRow();
}

// first/min/max/last of the points (non-NaN) in rows [a, b) of a channel's
// expected values, offset by the rows dropped before row 0.
StripChartStore::Extremes plainScan(const std::vector<float>& expected, int64_t dropped, int64_t a, int64_t b)
{
    StripChartStore::Extremes e;
    for (int64_t r = a; r < b; ++r) {
        const float v = expected[size_t(r + dropped)];
        if (std::isnan(v))
            continue;
        if (e.empty)
            e.first = e.min = e.max = v;
        e.empty = false;
        e.last = v;
        e.min = std::min(e.min, v);
        e.max = std::max(e.max, v);
    }
    return e;
}

} // namespace

TEST(StripChartStore, ChannelsNotSetInARowHaveNoPointThere)
{
    StripChartStore store;
    addRow(store, 1.0, {{0, 5.0}, {2, 7.5}});
    addRow(store, 2.0, {{1, -3.0}});
    addRow(store, 3.0, {{0, 6.0}, {0, 8.0}}); // the second value replaces the first

    ASSERT_EQ(store.rowCount(), 3);
    EXPECT_DOUBLE_EQ(store.x(1), 2.0);
    EXPECT_DOUBLE_EQ(store.value(0, 0), 5.0);
    EXPECT_TRUE(std::isnan(store.value(0, 1)));
    EXPECT_DOUBLE_EQ(store.value(0, 2), 7.5);
    EXPECT_TRUE(std::isnan(store.value(1, 0)));
    EXPECT_DOUBLE_EQ(store.value(1, 1), -3.0);
    EXPECT_DOUBLE_EQ(store.value(2, 0), 8.0);
    EXPECT_EQ(store.extremes(0, 0, 3).max, 8.0f);
    EXPECT_TRUE(std::isnan(store.value(3, 0)));
    EXPECT_TRUE(std::isnan(store.value(-1, 0)));
    EXPECT_TRUE(std::isnan(store.x(3)));
}

TEST(StripChartStore, ValuesAfterTheRowIsClosedOrRefusedGoNowhere)
{
    StripChartStore store;
    store.setValue(0, 1.0); // no row yet
    addRow(store, 1.0, {{0, 2.0}});
    store.setValue(0, 99.0); // row closed
    EXPECT_FALSE(store.addRow(std::numeric_limits<double>::quiet_NaN()));
    store.setValue(0, 98.0); // refused row
    store.addRow(2.0);
    store.setValue(1, std::numeric_limits<double>::infinity());
    store.setValue(-1, 4.0);

    ASSERT_EQ(store.rowCount(), 2);
    EXPECT_DOUBLE_EQ(store.value(0, 0), 2.0);
    EXPECT_TRUE(std::isnan(store.value(1, 1)));
}

TEST(StripChartStore, FullStoreDropsTheOldestRows)
{
    StripChartStore store;
    store.setCapacity(10);
    for (int i = 0; i < 25; ++i)
        addRow(store, i, {{0, i * 10.0}});
    ASSERT_EQ(store.rowCount(), 10);
    EXPECT_DOUBLE_EQ(store.x(0), 15.0);
    EXPECT_DOUBLE_EQ(store.value(0, 0), 150.0);
    EXPECT_DOUBLE_EQ(store.value(9, 0), 240.0);
    // Dropped rows no longer count for the extremes.
    EXPECT_EQ(store.extremes(0, 0, 10).min, 150.0f);
    EXPECT_EQ(store.pointAtOrBefore(0, 0).value, 150.0f);

    store.setCapacity(4); // shrinking keeps the newest
    ASSERT_EQ(store.rowCount(), 4);
    EXPECT_DOUBLE_EQ(store.x(0), 21.0);
}

TEST(StripChartStore, FullStoreWithoutAutoDropRefusesRowsAndTheirValues)
{
    StripChartStore store;
    store.setCapacity(3);
    store.setAutoDrop(false);
    for (int i = 0; i < 3; ++i)
        addRow(store, i, {{0, double(i)}});
    EXPECT_FALSE(store.addRow(3.0));
    store.setValue(0, 42.0);
    ASSERT_EQ(store.rowCount(), 3);
    EXPECT_DOUBLE_EQ(store.value(2, 0), 2.0);
}

// Rows in bulk land as the same rows built one call at a time would: values
// in their own channels, unset and out-of-range channels skipped, a refused
// row's values nowhere.
TEST(StripChartStore, RowsInBulkMatchRowsBuiltOneByOne)
{
    StripChartStore bulk, single;
    for (StripChartStore* store : {&bulk, &single}) {
        store->setCapacity(5);
        store->setAutoDrop(false);
    }
    const double xs[6] = {1, 2, 3, 4, 5, 6};
    const int channels[12] = {0, 1, -1, 1, 0, 7, 1, 1, 0, -1, 0, 1};
    const double values[12] = {10, 11, 99, 21, 30, 99, 40, 41, 50, 99, 60, 61};
    bulk.addRows(xs, 6, channels, values, 2, 2);
    for (int r = 0; r < 6; ++r) {
        single.addRow(xs[r]);
        for (int k = 0; k < 2; ++k)
            if (channels[2 * r + k] >= 0 && channels[2 * r + k] < 2)
                single.setValue(channels[2 * r + k], values[2 * r + k]);
        single.closeRow();
    }
    ASSERT_EQ(bulk.rowCount(), 5);
    for (int64_t row = 0; row < 5; ++row) {
        EXPECT_EQ(bulk.x(row), single.x(row));
        for (int channel = 0; channel < 3; ++channel) {
            const double a = bulk.value(row, channel), b = single.value(row, channel);
            EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << row << " " << channel;
        }
    }
    EXPECT_EQ(bulk.value(3, 1), 41.0); // the later value of one channel in a row wins
    bulk.setValue(0, 1.0); // the bulk call leaves no row open
    EXPECT_EQ(bulk.value(4, 0), 50.0);
}

TEST(StripChartStore, DropTargetDropsInBulkAcrossChunks)
{
    StripChartStore store;
    const int64_t capacity = 3 * StripChartStore::kChunkRows;
    store.setCapacity(capacity);
    store.setDropTarget(capacity - StripChartStore::kChunkRows - 5);
    for (int64_t i = 0; i <= capacity; ++i)
        addRow(store, double(i), {{0, double(i % 1000)}});
    ASSERT_EQ(store.rowCount(), capacity - StripChartStore::kChunkRows - 4);
    EXPECT_DOUBLE_EQ(store.x(store.rowCount() - 1), double(capacity));
    EXPECT_DOUBLE_EQ(store.x(0), double(StripChartStore::kChunkRows + 5));
    EXPECT_DOUBLE_EQ(store.value(0, 0), double((StripChartStore::kChunkRows + 5) % 1000));
}

TEST(StripChartStore, SingleSpikeInAMillionRowsSurvivesTheSummary)
{
    StripChartStore store;
    store.setCapacity(2000000);
    const int64_t spike = 777777;
    for (int64_t i = 0; i < 1000000; ++i)
        addRow(store, double(i), {{0, i == spike ? 40.0 : 1.0}});
    EXPECT_EQ(store.extremes(0, 0, store.rowCount()).max, 40.0f);
    EXPECT_EQ(store.extremes(0, spike - 500, spike + 500).max, 40.0f);
    EXPECT_EQ(store.extremes(0, spike + 1, store.rowCount()).max, 1.0f);
    EXPECT_EQ(store.extremes(0, 0, spike).max, 1.0f);
}

// The summaries must agree with a plain scan whatever mix of dense and sparse
// channels, replaced values and dropped rows led to them.
namespace {

// 200000 rows into a store that keeps 150000: a channel with a point in
// every row (some replaced, also at block ends), a sparse one that turns
// dense for a while, and a rare one; beside it what a plain scan expects.
struct ScannedStore {
    std::mt19937 random{7};
    StripChartStore store;
    std::vector<float> expected[3];
    int64_t dropped = 0;

    ScannedStore()
    {
        std::uniform_real_distribution<double> value(-100.0, 100.0);
        const int rows = 200000;
        for (auto& channel : expected)
            channel.assign(rows, std::numeric_limits<float>::quiet_NaN());
        store.setCapacity(150000);
        const auto set = [&](int channel, int row) {
            const double v = value(random);
            store.setValue(channel, v);
            expected[channel][size_t(row)] = float(v);
        };
        for (int i = 0; i < rows; ++i) {
            store.addRow(i * 0.5);
            set(0, i);
            if (i % 3 == 0 || (i > 70000 && i < 90000))
                set(1, i);
            if (i > 100000 && random() % 5000 == 0)
                set(2, i);
            if (i % 1000 == 0 || i % 4096 == 4095 || i % 4096 == 255 || i % 32 == 15)
                set(0, i);
            store.closeRow();
        }
        dropped = rows - store.rowCount();
    }

    void check(int64_t a, int64_t b) const
    {
        for (int channel = 0; channel < 3; ++channel) {
            const auto e = store.extremes(channel, a, b);
            const auto [empty, first, last, mn, mx] = plainScan(expected[channel], dropped, a, b);
            ASSERT_EQ(e.empty, empty) << channel << " " << a << ".." << b;
            if (empty)
                continue;
            EXPECT_EQ(e.first, first) << channel << " " << a << ".." << b;
            EXPECT_EQ(e.last, last) << channel << " " << a << ".." << b;
            EXPECT_EQ(e.min, mn) << channel << " " << a << ".." << b;
            EXPECT_EQ(e.max, mx) << channel << " " << a << ".." << b;
        }
    }
};

} // namespace

TEST(StripChartStore, ExtremesMatchAPlainScan)
{
    ScannedStore s;
    const StripChartStore& store = s.store;
    ASSERT_EQ(store.rowCount(), 150000);
    const int64_t dropped = s.dropped;
    std::uniform_int_distribution<int64_t> pick(0, store.rowCount());
    for (int trial = 0; trial < 300; ++trial) {
        int64_t a = pick(s.random), b = pick(s.random);
        if (a > b)
            std::swap(a, b);
        if (trial % 3 == 0)
            b = std::min<int64_t>(a + 70000, store.rowCount());
        if (trial % 5 == 0)
            b = store.rowCount(); // up to the newest row
        if (trial % 7 == 0)
            a = std::max<int64_t>(((a + dropped) & ~int64_t(255)) - dropped, 0); // from a block start
        s.check(a, b);
    }
    // From block starts (blocks count from the first row ever added) to the
    // newest row, inside blocks not yet complete.
    const int64_t n = store.rowCount();
    for (const int64_t block : {16, 256, 4096, 65536})
        for (int64_t a = ((n - 1 + dropped) & ~(block - 1)) - dropped; a > n - 3 * block && a >= 0; a -= block)
            s.check(a, n);
    for (int64_t r = 0; r < store.rowCount(); r += 997)
        for (int channel = 0; channel < 3; ++channel) {
            const float v = s.expected[channel][size_t(r + dropped)];
            if (std::isnan(v))
                EXPECT_TRUE(std::isnan(store.value(r, channel)));
            else
                EXPECT_EQ(store.value(r, channel), double(v));
        }
}

// Columns bounded at block starts must still see every point exactly once,
// with the right first and last, and a block start may only stand in for the
// exact bound when the rows it skips lie within the slack.
TEST(StripChartStore, BlockBoundsSkipOnlyNearbyRowsAndKeepExtremesExact)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> value(-100.0, 100.0);
    const float none = std::numeric_limits<float>::quiet_NaN();
    const int rows = 300000;
    std::vector<double> xs(rows);
    std::vector<float> expected[2];
    for (auto& channel : expected)
        channel.assign(rows, none);
    StripChartStore store;
    store.setCapacity(230000);
    for (int i = 0; i < rows; ++i) {
        xs[size_t(i)] = i + (i > 200100 ? 5000.0 : 0.0); // a gap mid-block
        store.addRow(xs[size_t(i)]);
        for (int repeat = 0; repeat < (i % 256 == 0 ? 2 : 1); ++repeat) { // block starts replaced
            const double v = value(random);
            store.setValue(0, v);
            expected[0][size_t(i)] = float(v);
        }
        if (i % 3 == 0) {
            const double v = value(random);
            store.setValue(1, v);
            expected[1][size_t(i)] = float(v);
        }
        store.closeRow();
    }
    const int64_t dropped = rows - store.rowCount();
    ASSERT_NE(dropped % StripChartStore::kBlockRows, 0);

    for (double slack : {0.0, 100.0, 3000.0}) {
        std::vector<int64_t> bounds{0};
        int snapped = 0;
        for (double x = xs[size_t(dropped)] + 777.0; x < xs.back(); x += 1234.5) {
            const int64_t exact = store.lowerBound(x);
            const int64_t bound = store.blockBound(x, slack, bounds.back());
            ASSERT_GE(bound, exact) << x;
            if (bound > exact) {
                ++snapped;
                EXPECT_EQ((bound + dropped) % StripChartStore::kFinestBlockRows, 0) << x;
                EXPECT_LE(store.x(bound - 1) - x, slack) << x;
            }
            EXPECT_EQ(store.blockBound(x, slack, 0), bound) << "a wrong guess changes nothing";
            bounds.push_back(bound);
        }
        bounds.push_back(store.rowCount());
        EXPECT_EQ(snapped > 0, slack > 0.0) << slack;
        for (size_t k = 0; k + 1 < bounds.size(); ++k)
            for (int channel = 0; channel < 2; ++channel) {
                const auto e = store.extremes(channel, bounds[k], bounds[k + 1]);
                const auto [empty, first, last, mn, mx] = plainScan(expected[channel], dropped, bounds[k], bounds[k + 1]);
                ASSERT_EQ(e.empty, empty);
                if (empty)
                    continue;
                EXPECT_EQ(e.first, first) << channel << " " << bounds[k];
                EXPECT_EQ(e.last, last) << channel << " " << bounds[k];
                EXPECT_EQ(e.min, mn);
                EXPECT_EQ(e.max, mx);
            }
    }
}

TEST(StripChartStore, NeighbourPointsSkipRowsWithoutThatChannel)
{
    StripChartStore store;
    store.setCapacity(3 * StripChartStore::kChunkRows);
    for (int64_t i = 0; i < 2 * StripChartStore::kChunkRows + 10; ++i)
        addRow(store, double(i), {{i == 5 || i == 2 * StripChartStore::kChunkRows ? 1 : 0, double(i)}});
    const auto before = store.pointAtOrBefore(1, 2 * StripChartStore::kChunkRows - 1);
    EXPECT_EQ(before.row, 5);
    const auto after = store.pointAtOrAfter(1, 6);
    EXPECT_EQ(after.row, 2 * StripChartStore::kChunkRows);
    EXPECT_EQ(store.pointAtOrBefore(1, 4).row, -1);
    EXPECT_EQ(store.pointAtOrAfter(1, after.row + 1).row, -1);
}

TEST(StripChartStore, RowsCostMemoryOnlyForTheChannelsSetInThem)
{
    StripChartStore sparse;
    StripChartStore dense;
    const int rows = 300000;
    sparse.setCapacity(rows);
    dense.setCapacity(rows);
    for (int i = 0; i < rows; ++i) {
        addRow(sparse, i, {{i % 30, 1.0}});
        dense.addRow(i);
        for (int c = 0; c < 30; ++c)
            dense.setValue(c, c);
        dense.closeRow();
    }
    // x offset, one value and its row number, with slack for the open chunk.
    EXPECT_LT(sparse.memoryBytes(), size_t(rows) * 16);
    EXPECT_LT(dense.memoryBytes(), size_t(rows) * (4 + 30 * 4) * 5 / 4);
}

TEST(StripChartStore, LowerBoundAndNearestRow)
{
    StripChartStore store;
    EXPECT_EQ(store.nearestRow(5.0), -1);
    for (int i = 0; i < 5; ++i)
        addRow(store, 10.0 + i, {});
    EXPECT_EQ(store.lowerBound(12.0), 2);
    EXPECT_EQ(store.lowerBound(12.5), 3);
    EXPECT_EQ(store.lowerBound(99.0), 5);
    for (int64_t guess = -2; guess <= 7; ++guess) // any guess, right or wrong
        EXPECT_EQ(store.lowerBound(12.5, guess), 3) << guess;
    EXPECT_EQ(store.nearestRow(12.4), 2);
    EXPECT_EQ(store.nearestRow(12.6), 3);
    EXPECT_EQ(store.nearestRow(-1e9), 0);
    EXPECT_EQ(store.nearestRow(1e9), 4);
}
