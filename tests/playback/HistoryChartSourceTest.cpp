#include "chart/StripChartTime.h"
#include "playback/HistoryChartSource.h"
#include "playback/HistoryReader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
constexpr int64_t kDay = 86400;
constexpr int64_t kStart = 1767225600; // 2026-01-01 00:00 UTC

// A history with one value (sensor 1's oil temperature, in tenths) per hour
// bucket and per record; days listed in `missing` have nothing.
class FakeHistory final : public IHistoryReader {
public:
    std::vector<int64_t> missingDays;
    int bucketReads = 0;
    int recordReads = 0;
    int16_t valueAt(int64_t instant) const { return int16_t(500 + (instant / 3600) % 24); }
    bool missing(int64_t instant) const
    {
        for (int64_t day : missingDays)
            if (instant >= kStart + day * kDay && instant < kStart + (day + 1) * kDay)
                return true;
        return false;
    }

    bool buckets(Tier tier, int64_t from, int64_t to, std::vector<Bucket>& out) override
    {
        ++bucketReads;
        const int64_t length = tier == Tier::Day ? kDay : Tiers::seconds(tier);
        for (int64_t start = from - from % length; start < to; start += length) {
            if (start < from || missing(start))
                continue;
            Bucket b;
            b.start = start;
            b.end = start + length;
            SeriesSummary& s = b.series[Series::index(1, 1)];
            s.add(valueAt(start));
            s.add(int16_t(valueAt(start) + 2));
            out.push_back(b);
        }
        return true;
    }
    bool records(int64_t from, int64_t to, std::vector<RawRecord>& out) override
    {
        ++recordReads;
        for (int64_t t = from; t < to; ++t)
            if (!missing(t))
                out.push_back(RawRecord{t, 1, {0, valueAt(t), 0, 0, 0}});
        return true;
    }
    QString error() const override { return {}; }
};

struct Source {
    FakeHistory history;
    HistoryChartSource source{history, {{1, 1}}, kStart, kStart + 5 * kDay};
    static double x(int64_t instant) { return chartDaysFromInstant(instant); }
};
} // namespace

TEST(HistoryChartSource, EachZoomDrawsFromTheCoarsestSummaryNoWiderThanAColumnAndRecordsWhenCloser)
{
    Source s;
    s.source.rows(Source::x(kStart), Source::x(kStart + 5 * kDay), 2.0);
    EXPECT_EQ(s.source.tierShown(), Tier::Day);
    s.source.rows(Source::x(kStart), Source::x(kStart + kDay), 2.0 / 24);
    EXPECT_EQ(s.source.tierShown(), Tier::Hour);
    EXPECT_TRUE(s.source.summarised());
    s.source.rows(Source::x(kStart), Source::x(kStart + 600), 5.0 / 86400);
    EXPECT_TRUE(s.source.showsRecords());
    EXPECT_FALSE(s.source.summarised());
    EXPECT_GT(s.history.recordReads, 0);
}

TEST(HistoryChartSource, ColumnsKeepTheExtremesOfTheirBucketsAndAMissingDayBreaksTheLine)
{
    Source s;
    s.history.missingDays = {2};
    const double column = 3.0 / 24; // three hour buckets a column
    const StripChartStore& rows = s.source.rows(Source::x(kStart), Source::x(kStart + 5 * kDay), column);
    ASSERT_GT(rows.rowCount(), 0);
    // The extremes over the first column's hours 0..2: 500 .. 504 (tenths).
    const auto first = rows.extremes(0, 0, rows.lowerBound(Source::x(kStart) + column));
    EXPECT_FLOAT_EQ(first.min, 50.0f);
    EXPECT_FLOAT_EQ(first.max, 50.4f);
    const int64_t day1 = rows.lowerBound(Source::x(kStart + kDay));
    const int64_t day3 = rows.lowerBound(Source::x(kStart + 3 * kDay));
    EXPECT_FALSE(rows.breaksIn(0, rows.lowerBound(Source::x(kStart + kDay / 2)), day1 + 8));
    EXPECT_TRUE(rows.breaksIn(0, day1 + 8, day3 + 8));
    // The readout reads the buckets of a column: min, mean and max.
    const ChartSummaries summed = s.source.summaries(Source::x(kStart), Source::x(kStart) + column);
    ASSERT_EQ(summed.channels.size(), 1u);
    EXPECT_EQ(summed.channels[0].count, 6);
    EXPECT_DOUBLE_EQ(summed.channels[0].min, 50.0);
    EXPECT_DOUBLE_EQ(summed.channels[0].max, 50.4);
    EXPECT_NEAR(summed.channels[0].mean, 50.2, 1e-9);
    EXPECT_DOUBLE_EQ(summed.to - summed.from, 3.0 / 24);
}

TEST(HistoryChartSource, AViewInsideWhatWasReadReadsNothingUntilTheHistoryChanges)
{
    Source s;
    const double column = 1.0 / 24;
    s.source.rows(Source::x(kStart + kDay), Source::x(kStart + 2 * kDay), column);
    const int reads = s.history.bucketReads;
    s.source.rows(Source::x(kStart + kDay) + 0.1, Source::x(kStart + 2 * kDay) + 0.1, column);
    EXPECT_EQ(s.history.bucketReads, reads);
    s.history.missingDays = {1};
    s.source.invalidate(kStart + kDay, kStart + 2 * kDay);
    const StripChartStore& rows = s.source.rows(Source::x(kStart + kDay), Source::x(kStart + 2 * kDay), column);
    EXPECT_GT(s.history.bucketReads, reads);
    EXPECT_EQ(rows.lowerBound(Source::x(kStart + kDay)), rows.lowerBound(Source::x(kStart + 2 * kDay)));
}
