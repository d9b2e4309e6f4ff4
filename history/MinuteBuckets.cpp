#include "history/MinuteBuckets.h"

void MinuteBuckets::open(int64_t start, int32_t offset)
{
    Bucket& b = minutes_.emplace_back();
    b.start = start;
    b.end = start + 60;
    b.utcOffset = offset;
}

std::vector<Bucket> MinuteBuckets::tier(Tier tier, LogfileClock& clock) const
{
    if (tier == Tier::Minute)
        return minutes_;
    const int64_t width = Tiers::seconds(tier);
    std::vector<Bucket> out;
    for (const Bucket& m : minutes_) {
        const int64_t local = m.start + m.utcOffset;
        int64_t start = 0, end = 0;
        if (width > 0) {
            start = m.start - LogfileClock::floorMod(local, width);
            end = start + width;
        } else {
            const int64_t day = LogfileClock::floorDiv(local, 86400);
            start = clock.startOfDay(day);
            end = clock.startOfDay(day + 1);
        }
        if (out.empty() || out.back().start < start) {
            Bucket& b = out.emplace_back();
            b.start = start;
            b.end = end;
            b.utcOffset = width > 0 ? m.utcOffset : clock.offsetAt(start);
        }
        Bucket& b = out.back();
        for (int s = 0; s < Series::kCount; ++s)
            b.series[s].addLater(m.series[s]);
    }
    return out;
}
