#pragma once
// One bucket of a summary tier: what the records of each of the 30 series
// held between two instants. Numbers are the records' own, as sent (oil
// quality signed 8-bit, the other values signed 16-bit); Series::inUnits
// turns them into the readouts' units.
#include "history/Series.h"

#include <algorithm>
#include <cstdint>

struct SeriesSummary {
    int64_t sum = 0;
    int32_t count = 0; // records of the series' sensor; with 0 the rest means nothing
    int16_t min = 0;
    int16_t max = 0;
    int16_t first = 0; // of the earliest record
    int16_t last = 0;  // of the latest record

    void add(int16_t value)
    {
        if (count == 0) {
            min = max = first = value;
        } else {
            min = std::min(min, value);
            max = std::max(max, value);
        }
        last = value;
        sum += value;
        ++count;
    }

    // Takes in the summary of records that came after ours.
    void addLater(const SeriesSummary& later)
    {
        if (later.count == 0)
            return;
        if (count == 0) {
            *this = later;
            return;
        }
        min = std::min(min, later.min);
        max = std::max(max, later.max);
        last = later.last;
        sum += later.sum;
        count += later.count;
    }

    bool operator==(const SeriesSummary& o) const
    {
        return count == o.count
            && (count == 0 || (sum == o.sum && min == o.min && max == o.max && first == o.first && last == o.last));
    }
};

struct Bucket {
    int64_t start = 0;     // UTC seconds since 1970, included
    int64_t end = 0;       // UTC seconds, excluded
    int32_t utcOffset = 0; // seconds east of UTC of the local time at start
    SeriesSummary series[Series::kCount]; // by Series::index(sensor, value)

    const SeriesSummary& of(int sensor, int value) const { return series[Series::index(sensor, value)]; }
};
