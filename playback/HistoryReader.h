#pragma once
// What the history chart reads of an installation's history: the summaries
// of a tier and the sensor records, over a range of instants.
#include "history/Bucket.h"
#include "history/RawRecord.h"
#include "history/Tier.h"

#include <QString>
#include <cstdint>
#include <vector>

class IHistoryReader {
public:
    virtual ~IHistoryReader() = default;
    // The buckets of `tier` whose starts lie in [from, to) (UTC seconds),
    // sorted by start. False when the summaries could not be read.
    virtual bool buckets(Tier tier, int64_t from, int64_t to, std::vector<Bucket>& out) = 0;
    // The sensor records whose instants lie in [from, to), in the order of
    // their files. False when a logfile could not be read; out holds the
    // records of the others.
    virtual bool records(int64_t from, int64_t to, std::vector<RawRecord>& out) = 0;
    // Why the last call failed.
    virtual QString error() const = 0;
};
