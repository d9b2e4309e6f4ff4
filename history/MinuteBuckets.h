#pragma once
// The minute buckets of one logfile, grown row by row, and the coarser
// tiers made from them: a local minute lies wholly in one local ten
// minutes, hour and day, so they need no second look at the rows.
#include "history/Bucket.h"
#include "history/LogfileClock.h"
#include "history/RowParser.h"
#include "history/Tier.h"

#include <vector>

class MinuteBuckets {
public:
    MinuteBuckets() = default;
    // Goes on from the minutes of an earlier reading of the same file.
    explicit MinuteBuckets(std::vector<Bucket> minutes) : minutes_(std::move(minutes)) {}

    // Rows come in file order, their instants never going back.
    void add(const Row& row)
    {
        const int64_t start = row.instant - LogfileClock::floorMod(row.instant + row.offset, 60);
        // An offset change of no whole number of minutes can give a start
        // before the last one; such rows stay in the last minute.
        if (minutes_.empty() || minutes_.back().start < start)
            open(start, row.offset);
        SeriesSummary* s = minutes_.back().series + Series::index(row.sensor, 0);
        for (int v = 0; v < Series::kValues; ++v)
            s[v].add(row.value[v]);
    }

    const std::vector<Bucket>& minutes() const { return minutes_; }
    // The buckets of a tier, in order of their starts.
    std::vector<Bucket> tier(Tier tier, LogfileClock& clock) const;

private:
    void open(int64_t start, int32_t offset);

    std::vector<Bucket> minutes_;
};
