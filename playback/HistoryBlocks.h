#pragma once
#include "history/Bucket.h"
#include "history/RawRecord.h"
#include "history/Tier.h"

#include <QString>
#include <cstdint>
#include <map>
#include <vector>

class IHistoryReader;

// What the history chart has read, kept for the next frames: each tier's
// buckets in blocks of a UTC day, the records in blocks of an hour. Missing
// blocks of a range are read in one call per run of them; the least recently
// used go once the budget is spent.
class HistoryBlocks {
public:
    static constexpr size_t kBudgetBytes = size_t(96) << 20;

    explicit HistoryBlocks(IHistoryReader& reader) : reader_(reader) {}

    // Calls visit(bucket) for every bucket of `tier` whose start lies in
    // [from, to), in order.
    template <typename Visit>
    void forBuckets(Tier tier, int64_t from, int64_t to, Visit&& visit)
    {
        load(tier, from, to);
        forKept(tier, from, to, visit);
    }
    // The same over what is kept already, reading nothing.
    template <typename Visit>
    void forKept(Tier tier, int64_t from, int64_t to, Visit&& visit) const
    {
        const auto& blocks = buckets_[int(tier)];
        for (auto it = blocks.lower_bound(blockOf(from, kDay)); it != blocks.end() && it->first * kDay < to; ++it)
            for (const Bucket& bucket : it->second.items)
                if (bucket.start >= from && bucket.start < to)
                    visit(bucket);
    }
    // Calls visit(record) for every record whose instant lies in [from, to).
    template <typename Visit>
    void forRecords(int64_t from, int64_t to, Visit&& visit)
    {
        loadRecords(from, to);
        for (auto it = records_.lower_bound(blockOf(from, kHour)); it != records_.end() && it->first * kHour < to; ++it)
            for (const RawRecord& record : it->second.items)
                if (record.instant >= from && record.instant < to)
                    visit(record);
    }

    // Forgets what was read of [from, to).
    void forget(int64_t from, int64_t to);
    QString error() const { return error_; }

private:
    static constexpr int64_t kDay = 86400;
    static constexpr int64_t kHour = 3600;
    template <typename T>
    struct Block {
        std::vector<T> items;
        uint64_t used = 0;
    };
    // The block an instant falls in, blocks being `size` seconds long.
    static int64_t blockOf(int64_t instant, int64_t size)
    {
        return instant / size - ((instant % size != 0) && (instant < 0));
    }

    void load(Tier tier, int64_t from, int64_t to);
    void loadRecords(int64_t from, int64_t to);
    void spend(size_t bytes);
    void evict();

    IHistoryReader& reader_;
    std::map<int64_t, Block<Bucket>> buckets_[Tiers::kCount]; // by day
    std::map<int64_t, Block<RawRecord>> records_;              // by hour
    uint64_t clock_ = 0;
    size_t bytes_ = 0;
    QString error_;
};
