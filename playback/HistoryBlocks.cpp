#include "playback/HistoryBlocks.h"

#include "playback/HistoryReader.h"

namespace {
// The blocks first..last that are not kept yet, run by run: read(runFirst,
// runLast, into) fills the blocks of a run; the kept ones are marked used.
template <typename T, typename Read>
void loadRuns(std::map<int64_t, T>& blocks, int64_t first, int64_t last, uint64_t now, Read&& read)
{
    for (int64_t key = first; key <= last;) {
        const auto kept = blocks.find(key);
        if (kept != blocks.end()) {
            kept->second.used = now;
            ++key;
            continue;
        }
        int64_t end = key;
        while (end < last && blocks.find(end + 1) == blocks.end())
            ++end;
        read(key, end);
        key = end + 1;
    }
}
} // namespace

void HistoryBlocks::load(Tier tier, int64_t from, int64_t to)
{
    if (from >= to)
        return;
    auto& blocks = buckets_[int(tier)];
    ++clock_;
    loadRuns(blocks, blockOf(from, kDay), blockOf(to - 1, kDay), clock_, [&](int64_t first, int64_t last) {
        std::vector<Bucket> read;
        if (!reader_.buckets(tier, first * kDay, (last + 1) * kDay, read)) {
            error_ = reader_.error();
            return; // read again next time
        }
        size_t i = 0;
        for (int64_t day = first; day <= last; ++day) {
            Block<Bucket>& block = blocks[day];
            block.used = clock_;
            while (i < read.size() && blockOf(read[i].start, kDay) <= day)
                block.items.push_back(read[i++]);
            spend(block.items.size() * sizeof(Bucket));
        }
    });
    evict();
}

void HistoryBlocks::loadRecords(int64_t from, int64_t to)
{
    if (from >= to)
        return;
    ++clock_;
    loadRuns(records_, blockOf(from, kHour), blockOf(to - 1, kHour), clock_, [&](int64_t first, int64_t last) {
        std::vector<RawRecord> read;
        if (!reader_.records(first * kHour, (last + 1) * kHour, read))
            error_ = reader_.error(); // what the other files held is kept
        std::map<int64_t, std::vector<RawRecord>> byHour;
        for (const RawRecord& record : read)
            byHour[blockOf(record.instant, kHour)].push_back(record);
        for (int64_t hour = first; hour <= last; ++hour) {
            Block<RawRecord>& block = records_[hour];
            block.used = clock_;
            block.items = std::move(byHour[hour]);
            spend(block.items.size() * sizeof(RawRecord));
        }
    });
    evict();
}

void HistoryBlocks::forget(int64_t from, int64_t to)
{
    const auto drop = [&](auto& blocks, int64_t begin, int64_t size) {
        for (auto it = blocks.lower_bound(blockOf(begin, size)); it != blocks.end() && it->first * size < to;) {
            bytes_ -= std::min(bytes_, it->second.items.size() * sizeof(it->second.items.front()));
            it = blocks.erase(it);
        }
    };
    // A bucket that begins the day before `from` (a local day, an hour
    // across midnight) is kept in that day's block.
    for (auto& blocks : buckets_)
        drop(blocks, from - kDay, kDay);
    drop(records_, from, kHour);
}

void HistoryBlocks::spend(size_t bytes)
{
    bytes_ += bytes;
}

void HistoryBlocks::evict()
{
    // The blocks of the reading under way are never the least recently used.
    while (bytes_ > kBudgetBytes) {
        uint64_t oldest = clock_;
        std::map<int64_t, Block<Bucket>>* bucketMap = nullptr;
        int64_t key = 0;
        for (auto& blocks : buckets_)
            for (auto& [k, block] : blocks)
                if (block.used < oldest) {
                    oldest = block.used;
                    bucketMap = &blocks;
                    key = k;
                }
        bool inRecords = false;
        for (auto& [k, block] : records_)
            if (block.used < oldest) {
                oldest = block.used;
                inRecords = true;
                key = k;
            }
        if (oldest == clock_)
            return;
        if (inRecords) {
            bytes_ -= std::min(bytes_, records_[key].items.size() * sizeof(RawRecord));
            records_.erase(key);
        } else {
            bytes_ -= std::min(bytes_, (*bucketMap)[key].items.size() * sizeof(Bucket));
            bucketMap->erase(key);
        }
    }
}
